#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/limits.h"

namespace zolt {

// Joins the code lines of a code text.
inline constexpr char kLineSeparator = '\xFF';

// Bit 0 of a record's options: the record carries a PRE clause.
inline constexpr unsigned kPreOption = 1;

// The ordered code lines of one record (or the subroutine texts), each a text
// without line end. A line the owner added is a copy the list owns; a line
// read from the program is a view of the program text, which stays unchanged
// and in place while the document lives, so that a large program is not
// held twice.
class LineList {
  public:
    LineList() = default;
    // A copy owns every one of its lines.
    LineList(const LineList& other);
    LineList& operator=(const LineList& other);
    LineList(LineList&&) noexcept = default;
    LineList& operator=(LineList&&) noexcept = default;

    void AppendLine(std::string_view text);
    // Appends a view of text that outlives the list unchanged and in place.
    void AppendView(std::string_view text);
    // Appends each piece of a code text (lines joined by kLineSeparator) in
    // order; a separator at the very end adds no empty line.
    void AppendCodeText(std::string_view codeText);
    // Removes the line at index; an index that names no line changes nothing.
    bool RemoveLine(int index);
    // Moves line `from` to stand right before the line that is at `to` before
    // the move; `to` equal to the count means the end. False, and nothing
    // changed, when `from` names no line or `to` lies beyond the end.
    bool MoveLine(int from, int to);
    // Moves the lines at `from` (ascending, each naming a line) to stand, in
    // their order, right before the line that is at `to` before the move.
    void MoveLines(const std::vector<int>& from, int to);
    // Undoes MoveLines: the lines from `at` on go back to the places `to`
    // (ascending) they came from.
    void ReturnLines(int at, const std::vector<int>& to);
    void ClearLines();

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    std::string_view operator[](int index) const { return lines_[static_cast<std::size_t>(index)]; }
    auto begin() const { return lines_.begin(); }
    auto end() const { return lines_.end(); }

  private:
    std::vector<std::string_view> lines_;
    // The texts of copied lines; each stays where it is until ClearLines.
    std::vector<std::unique_ptr<std::string>> owned_;
};

// One event block of the program: the text between an opening "//{" line and
// its closing "//}" line.
struct ZoltRecord {
    int bodyStart = 0;    // offset of the first byte after the opening line
    int bodyLength = -1;  // up to the closing line's first byte; -1 while open
    std::string name;
    std::string indent;  // blanks and tabs before "//{"
    unsigned options = 0;
    std::optional<std::string> preText;
    LineList lines;

    bool HasPre() const { return (options & kPreOption) != 0; }
};

// The program file in memory: its text as read, the records found in it, and
// what the owner has changed since.
struct ProgramDocument {
    std::string text;                 // never changed after reading: record lines view it
    std::vector<ZoltRecord> records;  // at most kMaxRecords, in file order
    LineList subroutines;             // the texts of the "//++" lines
    bool modified = false;

    int RecordCount() const { return static_cast<int>(records.size()); }
};

// Reads the whole program file in binary. Fails when the file cannot be
// opened, cannot be read whole, is empty, or is too long for a 32-bit length.
bool ReadProgramFile(const std::string& path, ProgramDocument& doc);

void ClearDocument(ProgramDocument& doc);

}  // namespace zolt
