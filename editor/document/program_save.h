#pragma once

#include <string>
#include <string_view>

#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"
#include "fileio/file_ops.h"

namespace zolt {

// A save's file operations go through the shared file seam.
using fileio::FileOps;
using fileio::FileState;
using fileio::IoResult;
using fileio::OutputFile;
using fileio::Room;
using fileio::SystemFileOps;

// Writes the document to the program file and keeps the program as read as
// the backup. Nothing that could be the only copy of the program or of the
// backup is ever removed: the new backup and the new program are each
// written whole to a file beside their target, flushed, and then put in
// place in one step. True when the program was saved and the editor closes.
bool SaveProgram(const std::string& programPath, const ProgramDocument& doc, FileOps& files,
                 MessageSink& messages);

// True when the editor may close without saving: nothing was changed, or the
// owner agreed to abandon the changes.
bool ConfirmCancel(const ProgramDocument& doc, MessageSink& messages);

}  // namespace zolt
