#pragma once

// What Pupdesk's settings core reports, as values: the console shows each in
// the owner's language from its string table.

#include <string>
#include <string_view>
#include <vector>

#include "messages/message.h"

namespace pupdesk {

using messages::Message;

enum class MessageId : int {
    None = -1,
#define PUPDESK_MESSAGE(number, name, text) name = number,
#include "console/message_texts.inc"
#undef PUPDESK_MESSAGE
};

inline constexpr int kMessageCount = 7;

Message MakeMessage(MessageId id, std::vector<std::string> values = {});

// The English pattern of a message, with its numbered places.
std::string_view EnglishPattern(int id);

std::string EnglishText(const Message& message);

}  // namespace pupdesk
