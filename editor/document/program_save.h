#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"

namespace zolt {

// A file being written by a save.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual bool Write(std::string_view bytes) = 0;
    // Flushes and closes; false when any byte did not reach the file.
    virtual bool Close() = 0;
};

// Every file operation of a save goes through here, so that tests can make
// any single step fail.
class FileOps {
  public:
    virtual ~FileOps() = default;
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Fails when `to` exists, as on Windows.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

FileOps& SystemFileOps();

std::string BackupPath(const std::string& programPath);
std::string SaveTempPath(const std::string& programPath);
// Where a program file named like its own backup waits while it is replaced.
std::string SaveAsidePath(const std::string& programPath);

// Writes the document to the program file and keeps the previous file as the
// backup. The new file is written whole beside the program file first; the
// backup and the program file change only once it is complete. True when the
// program was saved and the editor closes.
bool SaveProgram(const std::string& programPath, const ProgramDocument& doc, FileOps& files,
                 MessageSink& messages);

// True when the editor may close without saving: nothing was changed, or the
// owner agreed to abandon the changes.
bool ConfirmCancel(const ProgramDocument& doc, MessageSink& messages);

inline constexpr std::string_view kCancelQuestion =
    "WARNING: you have made changes that will not be saved if you cancel\n"
    "Do you want to abandon changes (Yes to abandon, No to go back to editing)";

}  // namespace zolt
