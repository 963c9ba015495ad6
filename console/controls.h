#pragma once

// The console's own control: the rest are the shared wrappers.

#include <cstdint>

#include "win32ui/controls.h"

namespace pupdesk {

// An edit field that holds a number.
class NumberEdit : public win32ui::Control {
  public:
    void SetNumber(std::int32_t number);
    // The run of digits at its start, as the settings files read numbers.
    std::int32_t Number() const;
};

}  // namespace pupdesk
