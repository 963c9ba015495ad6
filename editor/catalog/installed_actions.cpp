#include "editor/catalog/installed_actions.h"

#include <optional>

#include "editor/catalog/code_kinds.h"
#include "editor/document/limits.h"
#include "editor/document/text_file.h"

namespace zolt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
}

// The next run of non-blank characters; the text keeps what follows it.
std::optional<std::string_view> NextField(std::string_view& text) {
    SkipBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(end);
    return field;
}

bool BeginsWithCategory(std::string_view name, std::string_view word) {
    return name.size() > word.size() && name.starts_with(word) && name[word.size()] == '_';
}

// The shown text when the filter admits the name.
std::optional<std::string_view> Admit(const NameFilter& filter, std::string_view name) {
    switch (filter.kind) {
        case NameFilter::Kind::None:
            return name;
        case NameFilter::Kind::Category:
            if (!BeginsWithCategory(name, filter.categoryWord)) {
                return std::nullopt;
            }
            return name.substr(filter.categoryWord.size() + 1);
        case NameFilter::Kind::Other:
            for (const SystemCategory& category : SystemCategories()) {
                if (BeginsWithCategory(name, category.word)) {
                    return std::nullopt;
                }
            }
            return name;
    }
    return std::nullopt;
}

}  // namespace

LoadResult LoadInstalledActions(Palette& palette, const std::string& path,
                                std::string_view commandWord, const NameFilter& filter) {
    std::string bytes;
    const ReadResult read = ReadWholeFile(path, bytes, kMaxActionListSize);
    if (read != ReadResult::Ok) {
        return read == ReadResult::TooLarge ? LoadResult::TooLarge : LoadResult::NothingAdded;
    }
    return LoadInstalledActionText(palette, bytes, commandWord, filter);
}

LoadResult LoadInstalledActionText(Palette& palette, std::string_view bytes,
                                   std::string_view commandWord, const NameFilter& filter) {
    TextFileReader file;
    file.SetText(bytes);
    bool added = false;
    std::string read;
    while (file.ReadLine(read, kMaxLineLength)) {
        std::string_view rest = read;
        rest = rest.substr(0, rest.find_first_of(std::string_view("\n\0", 2)));
        const std::optional<std::string_view> name = NextField(rest);
        if (!name || name->starts_with("-")) {
            continue;
        }
        const std::optional<std::string_view> second = NextField(rest);
        if (!second || ReadLeadingInt(*second) <= 0) {
            continue;
        }
        const std::optional<std::string_view> third = NextField(rest);
        if (!third || ReadLeadingInt(*third) != 0) {
            continue;
        }
        const std::optional<std::string_view> shown = Admit(filter, *name);
        if (!shown) {
            continue;
        }
        SkipBlanks(rest);
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == ';')) {
            rest.remove_prefix(1);
        }
        std::string codeText = ComposeInstalledAction(commandWord, *name, rest);
        // A cut-off R-CODE line would corrupt the program: such a line is left out.
        if (codeText.size() > kMaxCodeTextLength) {
            continue;
        }
        const int kind = ClassifyCodeLine(codeText);
        palette.push_back(
            {std::string(shown->substr(0, kMaxShownTextLength)), kind, std::move(codeText)});
        added = true;
    }
    return added ? LoadResult::Added : LoadResult::NothingAdded;
}

}  // namespace zolt
