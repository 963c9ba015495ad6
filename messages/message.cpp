#include "messages/message.h"

namespace messages {

std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& values) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (c == '%' && next >= '1' && next <= '9' && n < values.size()) {
            text += values[n];
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

std::string Text(const Message& message, const std::function<std::string(int)>& pattern) {
    if (message.Empty()) {
        return {};
    }
    std::vector<std::string> values = message.values;
    if (message.reason >= 0) {
        values.push_back(pattern(message.reason));
    }
    return FillPlaces(pattern(message.id), values);
}

std::string_view Pattern(std::span<const std::string_view> patterns, int id) {
    return id >= 0 && static_cast<std::size_t>(id) < patterns.size()
               ? patterns[static_cast<std::size_t>(id)]
               : std::string_view();
}

std::string Text(const Message& message, std::span<const std::string_view> patterns) {
    return Text(message, [patterns](int id) { return std::string(Pattern(patterns, id)); });
}

}  // namespace messages
