#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "editor/document/messages.h"
#include "editor/document/program_document.h"

namespace zolt {

// The bytes of the program file for the document: the text outside record
// bodies as it was read, and every record body regenerated from its PRE text
// and code lines, each line in the record's indent plus two blanks, ended by
// CR LF.
std::string WriteProgram(const ProgramDocument& doc);

// The same bytes, handed out piece by piece in order, so that a save need not
// hold the whole file twice. False as soon as `out` refuses a piece.
bool WriteProgramTo(const ProgramDocument& doc, const std::function<bool(std::string_view)>& out);

// The number of bytes WriteProgram gives.
std::size_t WrittenSize(const ProgramDocument& doc);

// Why a code line of a record would not read back as itself once the
// program is saved, or None.
enum class LineFault { None, LineEnd, TooLong, OpensEvent, ClosesEvent, Subroutine };

// The read-back judge for one code line of this record, as it would be
// written (the record's indent and two blanks before it).
LineFault CheckCodeLine(const ZoltRecord& record, std::string_view line);

// A line the owner typed or pasted, as the program would read it back: its
// leading blanks and tabs go, as a read of the saved file drops them.
std::string_view StoredLine(std::string_view typed);

// The judge for a typed line: the stored form must read back as itself, and
// no line end or NUL may stand inside.
LineFault CheckTypedLine(const ZoltRecord& record, std::string_view typed);

// Empty when the document, once written, reads back to the same records;
// otherwise the message that names the first event that would not.
Message CheckReadBack(const ProgramDocument& doc);

}  // namespace zolt
