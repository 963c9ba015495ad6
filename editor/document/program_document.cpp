#include "editor/document/program_document.h"

#include "editor/document/text_file.h"

namespace zolt {

LineList::LineList(const LineList& other) {
    *this = other;
}

LineList& LineList::operator=(const LineList& other) {
    if (this != &other) {
        LineList copy;
        for (const std::string_view line : other.lines_) {
            copy.AppendLine(line);
        }
        *this = std::move(copy);
    }
    return *this;
}

void LineList::AppendLine(std::string_view text) {
    owned_.push_back(std::make_unique<std::string>(text));
    lines_.push_back(*owned_.back());
}

void LineList::AppendView(std::string_view text) {
    lines_.push_back(text);
}

void LineList::AppendCodeText(std::string_view codeText) {
    while (!codeText.empty()) {
        const std::size_t sep = codeText.find(kLineSeparator);
        if (sep == std::string_view::npos) {
            AppendLine(codeText);
            return;
        }
        AppendLine(codeText.substr(0, sep));
        codeText.remove_prefix(sep + 1);
    }
}

bool LineList::RemoveLine(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    lines_.erase(lines_.begin() + index);
    return true;
}

bool LineList::MoveLine(int from, int to) {
    const int count = Count();
    if (from < 0 || from >= count || to < 0 || to > count) {
        return false;
    }
    if (to == from || to == from + 1) {
        return true;
    }
    const std::string_view moved = lines_[static_cast<std::size_t>(from)];
    lines_.erase(lines_.begin() + from);
    const int insertAt = to > from ? to - 1 : to;
    lines_.insert(lines_.begin() + insertAt, moved);
    return true;
}

void LineList::MoveLines(const std::vector<int>& from, int to) {
    std::vector<std::string_view> moved;
    std::vector<std::string_view> rest;
    std::size_t next = 0;
    int before = 0;  // the lines that stay above the place
    for (int i = 0; i < Count(); ++i) {
        if (next < from.size() && from[next] == i) {
            moved.push_back(lines_[static_cast<std::size_t>(i)]);
            ++next;
        } else {
            rest.push_back(lines_[static_cast<std::size_t>(i)]);
            before += i < to ? 1 : 0;
        }
    }
    rest.insert(rest.begin() + before, moved.begin(), moved.end());
    lines_ = std::move(rest);
}

void LineList::ReturnLines(int at, const std::vector<int>& to) {
    const auto first = lines_.begin() + at;
    const auto last = first + static_cast<std::ptrdiff_t>(to.size());
    const std::vector<std::string_view> moved(first, last);
    std::vector<std::string_view> rest(lines_.begin(), first);
    rest.insert(rest.end(), last, lines_.end());
    lines_.clear();
    std::size_t next = 0;
    std::size_t other = 0;
    for (std::size_t i = 0; i < moved.size() + rest.size(); ++i) {
        if (next < to.size() && to[next] == static_cast<int>(i)) {
            lines_.push_back(moved[next++]);
        } else {
            lines_.push_back(rest[other++]);
        }
    }
}

void LineList::ClearLines() {
    lines_.clear();
    owned_.clear();
}

bool ReadProgramFile(const std::string& path, ProgramDocument& doc) {
    std::string bytes;
    if (ReadWholeFile(path, bytes, kMaxProgramFileSize) != ReadResult::Ok || bytes.empty()) {
        return false;
    }
    // Records view the text they were read from: they go with it.
    doc.records.clear();
    doc.subroutines.ClearLines();
    doc.text = std::move(bytes);
    return true;
}

void ClearDocument(ProgramDocument& doc) {
    doc.records.clear();
    doc.subroutines.ClearLines();
    doc.text.clear();
    doc.text.shrink_to_fit();
    doc.modified = false;
}

}  // namespace zolt
