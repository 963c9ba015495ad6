#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/catalog/builtin_tables.h"
#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"

namespace zolt {

// One row of the palette; it owns its copy of the code text.
struct PaletteItem {
    std::string shownText;
    int kind = 0;
    std::string codeText;
};

// The palette's rows in the order they were added; never sorted.
using Palette = std::vector<PaletteItem>;

void AddCatalogEntries(Palette& palette, std::span<const CatalogEntry> entries);

// The shown text of a "//++" line's text: after the last slash, leading
// blanks skipped; a text ending in a slash shows whole.
std::string SubroutineShownText(std::string_view text);

// Empties the palette and fills it for a category index. "User Actions"
// without any action shows its message through `messages`.

void RefillPalette(Palette& palette, int category, const ProgramDocument& doc,
                   const std::string& programPath, MessageSink& messages);

}  // namespace zolt
