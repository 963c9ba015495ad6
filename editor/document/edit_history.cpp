#include "editor/document/edit_history.h"

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
    }
    return std::nullopt;
}

// Takes a change back.
Touched Unmake(ProgramDocument& doc, const LineChange& change) {
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
            lines.AppendLine(change.text);
            lines.MoveLine(lines.Count() - 1, change.from);
            return {change.record, change.from};
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
