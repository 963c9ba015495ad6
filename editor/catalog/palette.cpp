#include "editor/catalog/palette.h"

#include "editor/catalog/code_kinds.h"
#include "editor/catalog/installed_actions.h"
#include "editor/document/paths.h"
#include "editor/document/stick_layout.h"

namespace zolt {

void AddCatalogEntries(Palette& palette, std::span<const CatalogEntry> entries) {
    for (const CatalogEntry& entry : entries) {
        palette.push_back({std::string(entry.shownText), ClassifyCodeLine(entry.codeText),
                           std::string(entry.codeText)});
    }
}

std::string SubroutineShownText(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i = NextCharIndex(text, i)) {
        if (text[i] == '/') {
            start = i + 1;
        } else if (text[i] != ' ' && start < text.size() && text[start] == ' ') {
            start = i;
        }
    }
    if (start == text.size()) {
        start = 0;
    }
    return std::string(text.substr(start));
}

void RefillPalette(Palette& palette, int category, const ProgramDocument& doc,
                   const std::string& programPath, MessageSink& messages) {
    palette.clear();
    if (category == kCategoryStandard) {
        AddCatalogEntries(palette, StandardActions());
    } else if (category == kCategoryLeds) {
        AddCatalogEntries(palette, LedActions());
    } else if (category == kCategoryUserActions) {
        const std::string path = ActionCfgPath(programPath);
        const LoadResult loaded = LoadInstalledActions(palette, path, "ACTION+", {});
        if (loaded == LoadResult::TooLarge) {
            messages.Notify(MakeMessage(MessageId::ActionListTooLarge, {path}));
        } else if (loaded == LoadResult::NothingAdded) {
            messages.Notify(MakeMessage(MessageId::NoUserActions));
        }
    } else if (category >= kCategoryFirstSystem && category <= kCategoryOtherSystem) {
        const NameFilter filter =
            category == kCategoryOtherSystem
                ? NameFilter{NameFilter::Kind::Other, {}}
                : NameFilter{
                      NameFilter::Kind::Category,
                      SystemCategories()[static_cast<std::size_t>(category - kCategoryFirstSystem)]
                          .word};
        const std::string path = ActionExtPath(programPath);
        if (LoadInstalledActions(palette, path, "ACTION", filter) == LoadResult::TooLarge) {
            messages.Notify(MakeMessage(MessageId::ActionListTooLarge, {path}));
        }
    } else if (category == kCategorySubroutines) {
        AddCatalogEntries(palette, SubroutineActions());
        for (const std::string_view text : doc.subroutines) {
            palette.push_back(
                {SubroutineShownText(text), ClassifyCodeLine(text), std::string(text)});
        }
    }
}

}  // namespace zolt
