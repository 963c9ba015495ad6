#pragma once

#include <string>

#include "editor/document/messages.h"
#include "editor/document/program_document.h"

namespace zolt {

// How a parse ended: why the first failure failed and the number of its
// line, or no reason and the number of lines read.
struct ParseResult {
    MessageId reason = MessageId::None;  // None when the text parsed
    int lineNumber = 0;                  // -1 when a record is left open at the end
    bool Ok() const { return reason == MessageId::None; }
    explicit operator bool() const { return Ok(); }
};

// Parses the document's text into its records and subroutine lines, in one
// pass in the order the format defines. Reads no file.
ParseResult ParseProgram(ProgramDocument& doc);

}  // namespace zolt
