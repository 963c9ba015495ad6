#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/document/messages.h"
#include "editor/document/program_document.h"
#include "fileio/file_ops.h"

namespace zolt {

struct StartupResult {
    Message message;          // none when every check passed
    std::string programPath;  // the full path of the program file
    int model = 0;            // the model number of the ERS tag
    bool Ok() const { return message.Empty(); }
};

// The checks the editor runs before it opens its window: find, read and parse
// the program file, make sure it holds ZOLT records, and check the ERS tag of
// ACTION.EXT and the model's marker file. The result's message is the first
// failure.
StartupResult CheckStartup(std::string_view argumentText, std::string_view currentDir,
                           ProgramDocument& doc);

// The full path of the program file the editor opens: the argument text
// taken whole, or the default location, made full against the current
// directory.
std::string ProgramPathFor(std::string_view argumentText, std::string_view currentDir);

// A new program that a save wrote whole beside the program file and did not
// get to put in place: on FAT the replace removes the old file's entry and
// names the new one in two steps, and a stick pulled between them leaves
// the program file missing.
struct UnplacedProgram {
    std::string path;  // R-CODE.$$$ beside the program file
    std::uint64_t size = 0;
};

// The unplaced program beside a missing program file, when it is a regular
// file that reads, parses and holds ZOLT records; nothing otherwise.
std::optional<UnplacedProgram> FindUnplacedProgram(const std::string& programPath,
                                                   fileio::FileOps& files);

// The line zoltcheck adds to the missing-file message when there is one.
Message UnplacedProgramNote(const UnplacedProgram& found);

// The argument text of a Windows command line: everything after the
// program's own name (quoted or not), leading white space skipped. It is not
// split into words and its quotes stay.
std::string_view ArgumentText(std::string_view commandLine);

}  // namespace zolt
