#pragma once

#include <string>
#include <string_view>

#include "editor/catalog/palette.h"

namespace zolt {

// Which installed actions a palette category lists, and how it shows them.
struct NameFilter {
    enum class Kind { None, Category, Other };
    Kind kind = Kind::None;
    std::string_view categoryWord;  // for Kind::Category
};

// Appends the accepted lines of an action list file (ACTION.CFG or
// ACTION.EXT) that the filter admits, in file order. True when at least one
// item was added.
bool LoadInstalledActions(Palette& palette, const std::string& path, std::string_view commandWord,
                          const NameFilter& filter);

}  // namespace zolt
