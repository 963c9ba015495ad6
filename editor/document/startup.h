#pragma once

#include <string>
#include <string_view>

#include "editor/document/program_document.h"

namespace zolt {

struct StartupResult {
    std::string message;      // empty when every check passed
    std::string programPath;  // the full path of the program file
    int model = 0;            // the model number of the ERS tag
    bool Ok() const { return message.empty(); }
};

// The checks the editor runs before it opens its window: find, read and parse
// the program file, make sure it holds ZOLT records, and check the ERS tag of
// ACTION.EXT and the model's marker file. The result's message is the exact
// text of the first failure.
StartupResult CheckStartup(std::string_view argumentText, std::string_view currentDir,
                           ProgramDocument& doc);

// The argument text of a Windows command line: everything after the
// program's own name (quoted or not), leading white space skipped. It is not
// split into words and its quotes stay.
std::string_view ArgumentText(std::string_view commandLine);

}  // namespace zolt
