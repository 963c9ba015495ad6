#include "editor/document/messages.h"

namespace zolt {

namespace {

constexpr std::string_view kEnglish[] = {
#define ZOLT_MESSAGE(number, name, text) text,
#include "editor/document/message_texts.inc"
#undef ZOLT_MESSAGE
};
static_assert(std::size(kEnglish) == kMessageCount);

// The table's numbers are the places in it.
constexpr bool NumberedInOrder() {
    int expected = 0;
#define ZOLT_MESSAGE(number, name, text) \
    if (number != expected++) {          \
        return false;                    \
    }
#include "editor/document/message_texts.inc"
#undef ZOLT_MESSAGE
    return true;
}
static_assert(NumberedInOrder());

}  // namespace

Message MakeMessage(MessageId id, std::vector<std::string> values, MessageId reason) {
    return Message{static_cast<int>(id), std::move(values), static_cast<int>(reason)};
}

std::string_view EnglishPattern(int id) {
    return messages::Pattern(kEnglish, id);
}

std::string EnglishText(const Message& message) {
    return messages::Text(message, kEnglish);
}

}  // namespace zolt
