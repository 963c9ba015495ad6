#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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

// Empty when the document, once written, reads back to the same records;
// otherwise the message that names the first event that would not.
std::string CheckReadBack(const ProgramDocument& doc);

}  // namespace zolt
