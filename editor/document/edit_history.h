#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "editor/document/program_document.h"

namespace zolt {

// One change of a record's code lines, with what it takes to undo and redo
// it. Every change goes through the line-list operations.
struct LineChange {
    enum class Kind { Append, Move, Remove };
    Kind kind = Kind::Append;
    int record = 0;
    int from = 0;      // Move: the line's index before; Remove: the removed line's index
    int to = 0;        // Move: the place as MoveLine takes it
    std::string text;  // Append: the code text; Remove: the removed line
    int count = 0;     // Append: the lines it added

    static LineChange Append(int record, std::string codeText);
    static LineChange Move(int record, int from, int to);
    static LineChange Remove(int record, int index);
};

// Where a change, done or undone, leaves the owner's eye: the record and the
// line to select (-1 for none).
struct Touched {
    int record = -1;
    int line = -1;
};

// The session's line changes, to undo and redo in order, across records.
class EditHistory {
  public:
    static constexpr std::size_t kLimit = 1000;  // the oldest go first

    // Makes the change and records it, dropping what was undone. Nothing is
    // recorded, and nothing changed, when the change would change nothing.
    std::optional<Touched> Apply(ProgramDocument& doc, LineChange change);
    std::optional<Touched> Undo(ProgramDocument& doc);
    std::optional<Touched> Redo(ProgramDocument& doc);

    std::size_t UndoCount() const { return done_.size(); }
    std::size_t RedoCount() const { return undone_.size(); }

  private:
    std::deque<LineChange> done_;
    std::deque<LineChange> undone_;
};

}  // namespace zolt
