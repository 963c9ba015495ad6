#include "editor/document/pre_clause.h"

namespace zolt {

bool ReadTagOptions(std::string_view rest, unsigned& options) {
    options = 0;
    for (;;) {
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
            rest.remove_prefix(1);
        }
        if (rest.empty()) {
            return true;
        }
        if (rest == "PRE" || rest.starts_with("PRE ")) {
            options |= kPreOption;
            rest.remove_prefix(3);
            continue;
        }
        return false;
    }
}

bool CheckPreClause(ZoltRecord& record, MessageId& reason) {
    if (!record.preText) {
        reason = MessageId::EmptyPre;
        return false;
    }
    const std::string& line = *record.preText;
    std::string text;
    if (record.lines.Empty()) {
        if (!line.starts_with(kPreCommentStart)) {
            reason = MessageId::PreNotOnlyLine;
            return false;
        }
        text = line.substr(kPreCommentStart.size());
    } else {
        if (line.starts_with("//")) {
            reason = MessageId::PreIsComment;
            return false;
        }
        if (line.size() <= kPreActiveEnd.size() || !line.ends_with(kPreActiveEnd)) {
            reason = MessageId::PreWithoutMark;
            return false;
        }
        text = line.substr(0, line.size() - kPreActiveEnd.size());
    }
    record.preText = std::move(text);
    return true;
}

std::string PreLineForWriting(const ZoltRecord& record) {
    const std::string& text = record.preText.value();
    if (record.lines.Empty()) {
        return std::string(kPreCommentStart) + text;
    }
    return text + std::string(kPreActiveEnd);
}

}  // namespace zolt
