#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/program_document.h"

namespace zolt {

// One change of a record's code lines, with what it takes to undo and redo
// it. Every change goes through the line-list operations.
struct LineChange {
    enum class Kind { Append, Move, Remove, Replace, Insert, RemoveMany, MoveMany };
    Kind kind = Kind::Append;
    int record = 0;
    // Move: the line's index before; Remove, Replace: the line's index;
    // Insert: where the first new line goes; MoveMany: where the moved lines
    // stand after the move.
    int from = 0;
    int to = 0;        // Move, MoveMany: the place as MoveLine takes it
    std::string text;  // Append: the code text; Remove: the removed line; Replace: the other text
    int count = 0;     // Append: the lines it added
    std::vector<std::string> lines;  // Insert: the new lines; RemoveMany: the removed ones
    std::vector<int> indexes;        // RemoveMany, MoveMany: the lines, ascending

    static LineChange Append(int record, std::string codeText);
    static LineChange Move(int record, int from, int to);
    static LineChange Remove(int record, int index);
    // The line's text becomes `text`.
    static LineChange Replace(int record, int index, std::string text);
    // New lines, the first at `at` (the count of lines for the end).
    static LineChange Insert(int record, int at, std::vector<std::string> lines);
    static LineChange RemoveMany(int record, std::vector<int> indexes);
    // The lines at `indexes` (ascending) move together, in their order, to
    // stand right before the line at `to` (the count of lines for the end).
    static LineChange MoveMany(int record, std::vector<int> indexes, int to);
    // `count` lines from `first` move as one block.
    static LineChange MoveBlock(int record, int first, int count, int to);
};

// The lines of a pasted text: CR LF, a lone LF and a lone CR each end a
// line, a line end at the very end adds no empty line, and a NUL ends the
// text (as the clipboard's text ends there).
std::vector<std::string> PastedLines(std::string_view text);

// Lines as copied to the clipboard: CR LF between them, and after the last
// only when it is empty, so that a paste gives the same lines back.
std::string CopiedText(const std::vector<std::string_view>& lines);

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
