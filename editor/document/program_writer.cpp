#include "editor/document/program_writer.h"

#include "editor/document/pre_clause.h"

namespace zolt {

namespace {

constexpr std::string_view kBodyIndent = "  ";

bool PutBodyLine(const std::function<bool(std::string_view)>& out, const ZoltRecord& record,
                 std::string_view text) {
    return out(record.indent) && out(kBodyIndent) && out(text) && out("\r\n");
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    return line;
}

Message Refusal(const ZoltRecord& record, MessageId why) {
    return MakeMessage(MessageId::CantSaveEvent, {record.name}, why);
}

}  // namespace

bool WriteProgramTo(const ProgramDocument& doc, const std::function<bool(std::string_view)>& out) {
    const std::string_view text = doc.text;
    std::size_t copyPos = 0;
    for (const ZoltRecord& record : doc.records) {
        const auto bodyStart = static_cast<std::size_t>(record.bodyStart);
        if (bodyStart > copyPos && !out(text.substr(copyPos, bodyStart - copyPos))) {
            return false;
        }
        if (record.preText && !PutBodyLine(out, record, PreLineForWriting(record))) {
            return false;
        }
        for (const std::string_view line : record.lines) {
            if (!PutBodyLine(out, record, line)) {
                return false;
            }
        }
        copyPos = bodyStart + static_cast<std::size_t>(record.bodyLength);
    }
    return copyPos >= text.size() || out(text.substr(copyPos));
}

std::string WriteProgram(const ProgramDocument& doc) {
    std::string bytes;
    bytes.reserve(WrittenSize(doc));
    WriteProgramTo(doc, [&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

std::size_t WrittenSize(const ProgramDocument& doc) {
    std::size_t size = 0;
    WriteProgramTo(doc, [&size](std::string_view piece) {
        size += piece.size();
        return true;
    });
    return size;
}

LineFault CheckCodeLine(const ZoltRecord& record, std::string_view line) {
    if (line.find('\n') != std::string_view::npos) {
        return LineFault::LineEnd;
    }
    if (record.indent.size() + kBodyIndent.size() + line.size() > kMaxLineLength) {
        return LineFault::TooLong;
    }
    const std::string_view t = Trimmed(line);
    if (t.starts_with("//{")) {
        return LineFault::OpensEvent;
    }
    if (t.starts_with("//}")) {
        return LineFault::ClosesEvent;
    }
    if (t.starts_with("//++")) {
        return LineFault::Subroutine;
    }
    return LineFault::None;
}

std::string_view StoredLine(std::string_view typed) {
    return Trimmed(typed);
}

LineFault CheckTypedLine(const ZoltRecord& record, std::string_view typed) {
    if (typed.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return LineFault::LineEnd;
    }
    return CheckCodeLine(record, StoredLine(typed));
}

Message CheckReadBack(const ProgramDocument& doc) {
    for (const ZoltRecord& record : doc.records) {
        const std::size_t lineIndent = record.indent.size() + kBodyIndent.size();
        if (record.preText) {
            const std::string_view pre = Trimmed(*record.preText);
            if (!record.lines.Empty() && (pre.empty() || pre.starts_with("//"))) {
                return Refusal(record, MessageId::PreCantHoldLines);
            }
            if (lineIndent + PreLineForWriting(record).size() > kMaxLineLength) {
                return Refusal(record, MessageId::LongLine);
            }
        }
        for (const std::string_view line : record.lines) {
            switch (CheckCodeLine(record, line)) {
                case LineFault::None:
                    break;
                case LineFault::TooLong:
                    return Refusal(record, MessageId::LongLine);
                case LineFault::LineEnd:
                    return Refusal(record, MessageId::LineEndInLine);
                default:
                    return Refusal(record, MessageId::MarkerLine);
            }
        }
    }
    return {};
}

}  // namespace zolt
