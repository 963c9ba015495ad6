#include "editor/document/edit_history.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace zolt {

namespace {

LineList* LinesOf(ProgramDocument& doc, int record) {
    if (record < 0 || record >= doc.RecordCount()) {
        return nullptr;
    }
    return &doc.records[static_cast<std::size_t>(record)].lines;
}

// Where MoveLine(from, to) leaves the moved line.
int MovedTo(int from, int to) {
    return to > from ? to - 1 : to;
}

void InsertLine(LineList& lines, int at, std::string_view text) {
    lines.AppendLine(text);
    lines.MoveLine(lines.Count() - 1, at);
}

// Whether `indexes` name lines of a list of `count`, ascending, once each.
bool NamesLines(const std::vector<int>& indexes, int count) {
    return !indexes.empty() && indexes.front() >= 0 && indexes.back() < count &&
           std::adjacent_find(indexes.begin(), indexes.end(), std::greater_equal<>()) ==
               indexes.end();
}

// Makes the change; where it leaves the eye, or nothing when it changes
// nothing.
std::optional<Touched> Make(ProgramDocument& doc, LineChange& change) {
    LineList* lines = LinesOf(doc, change.record);
    if (lines == nullptr) {
        return std::nullopt;
    }
    switch (change.kind) {
        case LineChange::Kind::Append: {
            const int before = lines->Count();
            lines->AppendCodeText(change.text);
            change.count = lines->Count() - before;
            if (change.count == 0) {
                return std::nullopt;
            }
            return Touched{change.record, lines->Count() - 1};
        }
        case LineChange::Kind::Move:
            if (change.to == change.from || change.to == change.from + 1 ||
                !lines->MoveLine(change.from, change.to)) {
                return std::nullopt;
            }
            return Touched{change.record, MovedTo(change.from, change.to)};
        case LineChange::Kind::Remove:
            if (change.from < 0 || change.from >= lines->Count()) {
                return std::nullopt;
            }
            change.text = std::string((*lines)[change.from]);
            lines->RemoveLine(change.from);
            return Touched{change.record, -1};
        case LineChange::Kind::Replace: {
            if (change.from < 0 || change.from >= lines->Count() ||
                (*lines)[change.from] == change.text) {
                return std::nullopt;
            }
            std::string old((*lines)[change.from]);
            InsertLine(*lines, change.from, change.text);
            lines->RemoveLine(change.from + 1);
            change.text = std::move(old);
            return Touched{change.record, change.from};
        }
        case LineChange::Kind::Insert:
            if (change.lines.empty() || change.from < 0 || change.from > lines->Count()) {
                return std::nullopt;
            }
            for (std::size_t i = 0; i < change.lines.size(); ++i) {
                InsertLine(*lines, change.from + static_cast<int>(i), change.lines[i]);
            }
            return Touched{change.record, change.from};
        case LineChange::Kind::RemoveMany: {
            const std::vector<int>& at = change.indexes;
            if (!NamesLines(at, lines->Count())) {
                return std::nullopt;
            }
            change.lines.clear();
            for (const int index : at) {
                change.lines.emplace_back((*lines)[index]);
            }
            for (auto index = at.rbegin(); index != at.rend(); ++index) {
                lines->RemoveLine(*index);
            }
            return Touched{change.record, -1};
        }
        case LineChange::Kind::MoveMany: {
            const std::vector<int>& at = change.indexes;
            if (!NamesLines(at, lines->Count()) || change.to < 0 || change.to > lines->Count()) {
                return std::nullopt;
            }
            // Where the first moved line lands; lines that already stand
            // together there do not move.
            const int place = change.to - static_cast<int>(std::count_if(
                                              at.begin(), at.end(),
                                              [&change](int index) { return index < change.to; }));
            if (at.front() == place && at.back() == place + static_cast<int>(at.size()) - 1) {
                return std::nullopt;
            }
            lines->MoveLines(at, change.to);
            change.from = place;
            return Touched{change.record, place};
        }
    }
    return std::nullopt;
}

// Takes a change back; a replace keeps the text it took out, for a redo.
Touched Unmake(ProgramDocument& doc, LineChange& change) {
    LineList& lines = *LinesOf(doc, change.record);
    switch (change.kind) {
        case LineChange::Kind::Append:
            for (int i = 0; i < change.count; ++i) {
                lines.RemoveLine(lines.Count() - 1);
            }
            return {change.record, -1};
        case LineChange::Kind::Move: {
            const int at = MovedTo(change.from, change.to);
            lines.MoveLine(at, change.from > at ? change.from + 1 : change.from);
            return {change.record, change.from};
        }
        case LineChange::Kind::Remove:
            InsertLine(lines, change.from, change.text);
            return {change.record, change.from};
        case LineChange::Kind::Replace: {
            std::string now(lines[change.from]);
            InsertLine(lines, change.from, change.text);
            lines.RemoveLine(change.from + 1);
            change.text = std::move(now);
            return {change.record, change.from};
        }
        case LineChange::Kind::Insert:
            for (std::size_t i = 0; i < change.lines.size(); ++i) {
                lines.RemoveLine(change.from);
            }
            return {change.record, -1};
        case LineChange::Kind::RemoveMany:
            for (std::size_t i = 0; i < change.indexes.size(); ++i) {
                InsertLine(lines, change.indexes[i], change.lines[i]);
            }
            return {change.record, change.indexes.front()};
        case LineChange::Kind::MoveMany:
            lines.ReturnLines(change.from, change.indexes);
            return {change.record, change.indexes.front()};
    }
    return {change.record, -1};
}

}  // namespace

LineChange LineChange::Append(int record, std::string codeText) {
    LineChange change;
    change.kind = Kind::Append;
    change.record = record;
    change.text = std::move(codeText);
    return change;
}

LineChange LineChange::Move(int record, int from, int to) {
    LineChange change;
    change.kind = Kind::Move;
    change.record = record;
    change.from = from;
    change.to = to;
    return change;
}

LineChange LineChange::Remove(int record, int index) {
    LineChange change;
    change.kind = Kind::Remove;
    change.record = record;
    change.from = index;
    return change;
}

std::vector<std::string> PastedLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

LineChange LineChange::Replace(int record, int index, std::string text) {
    LineChange change;
    change.kind = Kind::Replace;
    change.record = record;
    change.from = index;
    change.text = std::move(text);
    return change;
}

LineChange LineChange::Insert(int record, int at, std::vector<std::string> lines) {
    LineChange change;
    change.kind = Kind::Insert;
    change.record = record;
    change.from = at;
    change.lines = std::move(lines);
    return change;
}

LineChange LineChange::RemoveMany(int record, std::vector<int> indexes) {
    LineChange change;
    change.kind = Kind::RemoveMany;
    change.record = record;
    change.indexes = std::move(indexes);
    return change;
}

LineChange LineChange::MoveMany(int record, std::vector<int> indexes, int to) {
    LineChange change;
    change.kind = Kind::MoveMany;
    change.record = record;
    change.indexes = std::move(indexes);
    change.to = to;
    return change;
}

LineChange LineChange::MoveBlock(int record, int first, int count, int to) {
    std::vector<int> indexes;
    for (int i = 0; i < count; ++i) {
        indexes.push_back(first + i);
    }
    return MoveMany(record, std::move(indexes), to);
}

std::string CopiedText(const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text.append(i == 0 ? "" : "\r\n").append(lines[i]);
    }
    // A paste drops a final line end: an empty last line keeps one of its own.
    if (!lines.empty() && lines.back().empty()) {
        text.append("\r\n");
    }
    return text;
}

std::optional<Touched> EditHistory::Apply(ProgramDocument& doc, LineChange change) {
    const std::optional<Touched> touched = Make(doc, change);
    if (touched) {
        done_.push_back(std::move(change));
        if (done_.size() > kLimit) {
            done_.pop_front();
        }
        undone_.clear();
    }
    return touched;
}

std::optional<Touched> EditHistory::Undo(ProgramDocument& doc) {
    if (done_.empty()) {
        return std::nullopt;
    }
    LineChange change = std::move(done_.back());
    done_.pop_back();
    const Touched touched = Unmake(doc, change);
    undone_.push_back(std::move(change));
    return touched;
}

std::optional<Touched> EditHistory::Redo(ProgramDocument& doc) {
    if (undone_.empty()) {
        return std::nullopt;
    }
    LineChange change = std::move(undone_.back());
    undone_.pop_back();
    const std::optional<Touched> touched = Make(doc, change);
    done_.push_back(std::move(change));
    return touched ? touched : Touched{done_.back().record, -1};
}

}  // namespace zolt
