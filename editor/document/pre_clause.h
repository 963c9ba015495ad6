#pragma once

#include <string>
#include <string_view>

#include "editor/document/messages.h"
#include "editor/document/program_document.h"

namespace zolt {

// Marks of the two written forms of a PRE line.
inline constexpr std::string_view kPreCommentStart = "//[PRE]: ";  // record without code lines
inline constexpr std::string_view kPreActiveEnd = " //[PRE]";      // record with code lines

// Reads the tag options that follow the record name's closing quote: nothing
// but the word PRE, any number of times, separated by blanks or tabs.
bool ReadTagOptions(std::string_view rest, unsigned& options);

// Checks the PRE line of a record that was just closed and turns it into the
// PRE text. On failure the reason is written to `reason`.
bool CheckPreClause(ZoltRecord& record, MessageId& reason);

// The PRE line as the writer puts it into the file (without indent).
std::string PreLineForWriting(const ZoltRecord& record);

}  // namespace zolt
