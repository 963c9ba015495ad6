#include "editor/document/program_save.h"

#include <algorithm>
#include <functional>

#include "editor/document/paths.h"
#include "editor/document/program_writer.h"
#include "editor/document/stick_layout.h"

namespace zolt {

namespace {

constexpr std::string_view kCantCreate = "ERROR: Can't create new R-CODE.R file";
constexpr std::string_view kCantWrite = "ERROR: Can't write new R-CODE.R file";
constexpr std::string_view kStickFull = "The memory stick is full.";

std::string WithPath(std::string_view message, const std::string& path) {
    std::string text(message);
    text += '\n';
    text += path;
    return text;
}

enum class Written { Ok, CantCreate, CantWrite, Full };

// Writes a file whole, flushed to the medium and closed, every step
// checked; `write` hands the bytes to the file. A file that did not come out
// whole is removed again: its content is still in memory.
Written WriteWhole(FileOps& files, const std::string& path,
                   const std::function<IoResult(OutputFile&)>& write) {
    std::unique_ptr<OutputFile> out = files.Create(path);
    if (!out) {
        return Written::CantCreate;
    }
    IoResult result = write(*out);
    if (result == IoResult::Ok) {
        result = out->Flush();
    }
    const IoResult closed = out->Close();
    out.reset();
    if (result == IoResult::Ok) {
        result = closed;
    }
    if (result == IoResult::Ok) {
        return Written::Ok;
    }
    files.Remove(path);
    return result == IoResult::Full ? Written::Full : Written::CantWrite;
}

// The new program, handed to the file in blocks as the writer makes it.
IoResult WriteProgramBlocks(const ProgramDocument& doc, OutputFile& out) {
    constexpr std::size_t kBlock = 64 * 1024;
    std::string block;
    block.reserve(kBlock);
    IoResult result = IoResult::Ok;
    const bool whole = WriteProgramTo(doc, [&](std::string_view piece) {
        if (block.size() + piece.size() > kBlock && !block.empty()) {
            result = out.Write(block);
            block.clear();
        }
        if (result == IoResult::Ok && piece.size() >= kBlock) {
            result = out.Write(piece);
        } else {
            block += piece;
        }
        return result == IoResult::Ok;
    });
    if (whole && !block.empty()) {
        result = out.Write(block);
    }
    return result;
}

std::string FailureText(Written how, const std::string& programPath) {
    if (how == Written::CantCreate) {
        return WithPath(kCantCreate, programPath);
    }
    std::string text = WithPath(kCantWrite, programPath);
    if (how == Written::Full) {
        text += '\n';
        text += kStickFull;
    }
    return text;
}

// The room a file of this size takes on the medium.
std::uint64_t OnDisk(std::size_t size, const Room& room) {
    const std::uint64_t cluster = std::max<std::uint64_t>(room.clusterBytes, 1);
    return (size + cluster - 1) / cluster * cluster;
}

}  // namespace

bool SaveProgram(const std::string& programPath, const ProgramDocument& doc, FileOps& files,
                 MessageSink& messages) {
    const std::string refusal = CheckReadBack(doc);
    if (!refusal.empty()) {
        messages.Notify(refusal);
        return false;
    }
    const std::string backupPath = BackupPath(programPath);
    const std::size_t newSize = WrittenSize(doc);

    // A read-only file is the owner's word that it must not change.
    const FileState program = files.State(programPath);
    if (program == FileState::ReadOnly) {
        messages.Notify(WithPath(kCantCreate, programPath) + "\nThe file is read-only.");
        return false;
    }
    // A program file named like its own backup has none; a program file that
    // is gone has nothing to back up.
    const bool makeBackup = !SameFileName(backupPath, programPath) && program != FileState::Missing;
    if (makeBackup && files.State(backupPath) == FileState::ReadOnly) {
        messages.Notify(WithPath(kCantCreate, programPath) + "\nThe backup file is read-only:\n" +
                        backupPath);
        return false;
    }

    // Each new file is written while the file it replaces still takes its
    // room; the old one's room is free again once it is replaced.
    if (const std::optional<Room> room = files.FreeRoom(programPath)) {
        const std::uint64_t need =
            std::max(makeBackup ? OnDisk(doc.text.size(), *room) : 0, OnDisk(newSize, *room));
        if (room->freeBytes < need) {
            messages.Notify(FailureText(Written::Full, programPath));
            return false;
        }
    }

    // First the backup: the program as read, replacing the old backup only
    // once it is whole. The program file is not touched until then.
    if (makeBackup) {
        const std::string backupTemp = BackupTempPath(programPath);
        const Written backup =
            WriteWhole(files, backupTemp, [&doc](OutputFile& out) { return out.Write(doc.text); });
        if (backup != Written::Ok) {
            messages.Notify(FailureText(backup, programPath));
            return false;
        }
        if (!files.Replace(backupTemp, backupPath)) {
            files.Remove(backupTemp);
            messages.Notify(FailureText(Written::CantWrite, programPath));
            return false;
        }
    }

    // Then the program, whole beside the program file before it replaces it.
    const std::string tempPath = SaveTempPath(programPath);
    Written saved = WriteWhole(files, tempPath,
                               [&doc](OutputFile& out) { return WriteProgramBlocks(doc, out); });
    if (saved == Written::Ok && !files.Replace(tempPath, programPath)) {
        files.Remove(tempPath);
        saved = Written::CantWrite;
    }
    if (saved != Written::Ok) {
        std::string text = FailureText(saved, programPath);
        if (makeBackup) {
            text += "\nThe program file was left as it was; the backup now holds a copy of it:\n" +
                    backupPath;
        }
        messages.Notify(text);
        return false;
    }
    messages.Notify(doc.modified ? "Changes saved!" : "File saved (no changes made)");
    return true;
}

bool ConfirmCancel(const ProgramDocument& doc, MessageSink& messages) {
    if (!doc.modified) {
        return true;
    }
    return messages.AskYesNo(std::string(kCancelQuestion));
}

}  // namespace zolt
