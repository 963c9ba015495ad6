#include "editor/catalog/code_kinds.h"

#include "editor/document/program_document.h"

namespace zolt {

int ClassifyCodeLine(std::string_view text) {
    constexpr std::string_view kPlayAction = "PLAY ACTION ";
    if (text.starts_with("WAIT")) {
        return kKindWait;
    }
    if (text.starts_with(kPlayAction)) {
        const std::string_view action = text.substr(kPlayAction.size());
        for (std::string_view movement : kMovementNames) {
            if (action.starts_with(movement)) {
                return kKindMove;
            }
        }
        return kKindSystem;
    }
    if (text.starts_with("PLAY ACTION+ ")) {
        return kKindUser;
    }
    if (text.starts_with("SET Head")) {
        return kKindOther;
    }
    if (text.starts_with("SET ")) {
        return kKindLed;
    }
    if (text.starts_with("CALL ") || text.starts_with("PUSH ")) {
        return kKindCall;
    }
    return kKindOther;
}

std::string ComposeInstalledAction(std::string_view commandWord, std::string_view name,
                                   std::string_view comment) {
    std::string code = "PLAY ";
    code += commandWord;
    code += ' ';
    code += name;
    if (!comment.empty()) {
        code += " // ";
        code += comment;
    }
    if (name.find("_NOWAIT") == std::string_view::npos) {
        code += kLineSeparator;
        code += "WAIT";
    }
    return code;
}

std::string HintText(std::string_view codeText) {
    const std::size_t slashes = codeText.find("//");
    if (slashes != std::string_view::npos) {
        codeText.remove_prefix(slashes + 2);
    }
    return std::string(codeText.substr(0, codeText.find(kLineSeparator)));
}

}  // namespace zolt
