#include "console/controls.h"

#include <string>

#include "console/settings.h"

namespace pupdesk {

void NumberEdit::SetNumber(std::int32_t number) {
    SetText(std::to_string(number));
}

std::int32_t NumberEdit::Number() const {
    const std::string text = Text();
    return ReadLeadingNumber(text.data(), text.size());
}

}  // namespace pupdesk
