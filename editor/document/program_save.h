#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"

namespace zolt {

// How a step of writing a file ended. Full: the medium has no room left.
enum class IoResult { Ok, Failed, Full };

// A file being written by a save.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual IoResult Write(std::string_view bytes) = 0;
    // Makes everything written so far reach the medium.
    virtual IoResult Flush() = 0;
    virtual IoResult Close() = 0;
};

enum class FileState { Missing, Writable, ReadOnly, Unknown };

// Free room on the medium that holds a file.
struct Room {
    std::uint64_t freeBytes = 0;
    std::uint64_t clusterBytes = 1;  // files take whole clusters
};

// Every file operation of a save goes through here, so that tests can record
// the steps and make any of them fail.
class FileOps {
  public:
    virtual ~FileOps() = default;
    // Creates a file, or empties an existing one, for writing.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
    // Puts `from` in the place of `to` in one step: afterwards `to` holds
    // either its old content or the new one, never neither.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual FileState State(const std::string& path) = 0;
    // Empty when the room cannot be learned.
    virtual std::optional<Room> FreeRoom(const std::string& path) = 0;
};

// The system's own file operations: the host's, or on Windows the window
// layer's.
FileOps& SystemFileOps();

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

inline constexpr std::string_view kCancelQuestion =
    "WARNING: you have made changes that will not be saved if you cancel\n"
    "Do you want to abandon changes (Yes to abandon, No to go back to editing)";

}  // namespace zolt
