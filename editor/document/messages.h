#pragma once

// What zolt's core reports, as values: the window shows each in the owner's
// language from its string table, zoltcheck prints it in English.

#include <string>
#include <string_view>
#include <vector>

#include "messages/message.h"

namespace zolt {

using messages::Message;

enum class MessageId : int {
    None = -1,
#define ZOLT_MESSAGE(number, name, text) name = number,
#include "editor/document/message_texts.inc"
#undef ZOLT_MESSAGE
};

inline constexpr int kMessageCount = 40;

Message MakeMessage(MessageId id, std::vector<std::string> values = {},
                    MessageId reason = MessageId::None);

// The English pattern of a message, with its numbered places.
std::string_view EnglishPattern(int id);

// The message in English, as zoltcheck prints it.
std::string EnglishText(const Message& message);

}  // namespace zolt
