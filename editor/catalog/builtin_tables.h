#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace zolt {

// A ready-made action: what the owner reads, and the R-CODE it stands for
// (code lines joined by the line separator).
struct CatalogEntry {
    std::string_view shownText;
    std::string_view codeText;
};

std::span<const CatalogEntry> StandardActions();
std::span<const CatalogEntry> LedActions();
std::span<const CatalogEntry> SubroutineActions();

// The system categories by which installed system actions are grouped: an
// action whose name begins with the word and "_" belongs to the category.
// The category box shows their names (the window's resources hold them).
struct SystemCategory {
    std::string_view word;
};
inline constexpr int kSystemCategoryCount = 19;
std::span<const SystemCategory> SystemCategories();

// The palette categories, in the order of the category box.
inline constexpr int kCategoryStandard = 0;
inline constexpr int kCategoryLeds = 1;
inline constexpr int kCategoryUserActions = 2;
inline constexpr int kCategoryFirstSystem = 3;
inline constexpr int kCategoryOtherSystem = 22;
inline constexpr int kCategorySubroutines = 23;
inline constexpr int kCategoryCount = 24;

}  // namespace zolt
