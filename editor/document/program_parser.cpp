#include <algorithm>
#include <cstring>
#include <optional>

#include "editor/document/pre_clause.h"
#include "editor/document/program_parser.h"

namespace zolt {

namespace {

struct LineRead {
    std::string_view line;
    std::size_t consumed = 0;
};

// Takes one line from the remaining text. A line ends at CR LF or at a lone
// LF; a CR that is not followed by LF belongs to the line. Lines longer than
// kMaxLineLength fail, the last line of the file too.
std::optional<LineRead> ReadLine(std::string_view rest) {
    // The line end, looked for where a line that is not too long can have
    // it: at most kMaxLineLength characters, then CR LF.
    const std::size_t window = std::min(rest.size(), kMaxLineLength + 2);
    const auto* end = static_cast<const char*>(std::memchr(rest.data(), '\n', window));
    if (end == nullptr) {
        // The last line of the file, or a line too long.
        if (rest.size() > kMaxLineLength) {
            return std::nullopt;
        }
        return LineRead{rest, rest.size()};
    }
    const auto lf = static_cast<std::size_t>(end - rest.data());
    const std::size_t length = lf > 0 && rest[lf - 1] == '\r' ? lf - 1 : lf;
    if (length > kMaxLineLength) {
        return std::nullopt;
    }
    return LineRead{rest.substr(0, length), lf + 1};
}

constexpr std::size_t kShortestViewedText = 64;

std::size_t LeadingBlanks(std::string_view line) {
    std::size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || line[n] == '\t')) {
        ++n;
    }
    return n;
}

}  // namespace

ParseResult ParseProgram(ProgramDocument& doc) {
    ParseResult result;
    auto fail = [&result](MessageId reason) {
        result.reason = reason;
        return result;
    };
    const std::string_view text = doc.text;
    // A text this short may sit inside the string object and move with it:
    // its lines are copied rather than viewed.
    const bool viewLines = text.size() >= kShortestViewedText;
    auto append = [viewLines](LineList& list, std::string_view line) {
        if (viewLines) {
            list.AppendView(line);
        } else {
            list.AppendLine(line);
        }
    };
    ZoltRecord* open = nullptr;
    std::size_t pos = 0;
    result.lineNumber = 0;
    while (pos < text.size()) {
        const std::size_t lineStart = pos;
        ++result.lineNumber;
        const std::optional<LineRead> read = ReadLine(text.substr(pos));
        if (!read) {
            return fail(MessageId::LineTooLong);
        }
        pos += read->consumed;
        const std::size_t blanks = LeadingBlanks(read->line);
        const std::string_view trimmed = read->line.substr(blanks);

        if (trimmed.starts_with("//{")) {
            if (!trimmed.substr(3).starts_with(" \"")) {
                return fail(MessageId::QuotedNameSyntax);
            }
            const std::size_t nameStart = 5;
            const std::size_t closeQuote = trimmed.find('"', nameStart);
            if (closeQuote == std::string_view::npos) {
                return fail(MessageId::MissingQuotedName);
            }
            if (open != nullptr) {
                return fail(MessageId::NestedRecord);
            }
            if (doc.RecordCount() >= kMaxRecords) {
                return fail(MessageId::TooManyRecords);
            }
            unsigned options = 0;
            if (!ReadTagOptions(trimmed.substr(closeQuote + 1), options)) {
                return fail(MessageId::UnsupportedTagOption);
            }
            ZoltRecord& record = doc.records.emplace_back();
            record.bodyStart = static_cast<int>(pos);
            record.bodyLength = -1;
            record.name = std::string(trimmed.substr(nameStart, closeQuote - nameStart));
            record.indent = std::string(read->line.substr(0, blanks));
            record.options = options;
            open = &record;
        } else if (trimmed.starts_with("//}")) {
            if (open == nullptr) {
                return fail(MessageId::MissingRecordStart);
            }
            open->bodyLength = static_cast<int>(lineStart) - open->bodyStart;
            ZoltRecord& closed = *open;
            open = nullptr;
            if (closed.HasPre() && !CheckPreClause(closed, result.reason)) {
                return result;
            }
        } else if (trimmed.starts_with("//++")) {
            append(doc.subroutines, trimmed.substr(4));
        } else if (open != nullptr) {
            if (open->HasPre() && !open->preText) {
                open->preText = std::string(trimmed);
            } else {
                append(open->lines, trimmed);
            }
        }
    }
    if (open != nullptr) {
        result.lineNumber = -1;
        return fail(MessageId::MissingRecordEnd);
    }
    return result;
}

}  // namespace zolt
