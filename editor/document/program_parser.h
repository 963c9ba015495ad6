#pragma once

#include <string>

#include "editor/document/program_document.h"

namespace zolt {

// How a parse ended: the first failure's message and the number of its line,
// or no message and the number of lines read.
struct ParseResult {
    std::string message;  // empty when the text parsed
    int lineNumber = 0;   // -1 when a record is left open at the end
    bool Ok() const { return message.empty(); }
    explicit operator bool() const { return Ok(); }
};

// Parses the document's text into its records and subroutine lines, in one
// pass in the order the format defines. Reads no file.
ParseResult ParseProgram(ProgramDocument& doc);

}  // namespace zolt
