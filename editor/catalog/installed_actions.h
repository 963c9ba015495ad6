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

enum class LoadResult {
    Added,         // at least one item
    NothingAdded,  // the file is missing or unreadable, or no line was accepted
    TooLarge,      // the file is too large to be an action list; nothing was read
};

// Appends the accepted lines of an action list file (ACTION.CFG or
// ACTION.EXT) that the filter admits, in file order. Each line is read as
// zero-terminated text: it ends at its first NUL byte.
LoadResult LoadInstalledActions(Palette& palette, const std::string& path,
                                std::string_view commandWord, const NameFilter& filter);

// The same for the bytes of an action list file.
LoadResult LoadInstalledActionText(Palette& palette, std::string_view bytes,
                                   std::string_view commandWord, const NameFilter& filter);

}  // namespace zolt
