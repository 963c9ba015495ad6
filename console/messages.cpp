#include "console/messages.h"

namespace pupdesk {

namespace {

constexpr std::string_view kEnglish[] = {
#define PUPDESK_MESSAGE(number, name, text) text,
#include "console/message_texts.inc"
#undef PUPDESK_MESSAGE
};
static_assert(std::size(kEnglish) == kMessageCount);

}  // namespace

Message MakeMessage(MessageId id, std::vector<std::string> values) {
    return Message{static_cast<int>(id), std::move(values), -1};
}

std::string_view EnglishPattern(int id) {
    return messages::Pattern(kEnglish, id);
}

std::string EnglishText(const Message& message) {
    return messages::Text(message, kEnglish);
}

}  // namespace pupdesk
