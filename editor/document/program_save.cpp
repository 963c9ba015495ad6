#include "editor/document/program_save.h"

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

using fileio::Written;

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

    // The whole save must fit before anything is written: each new file is
    // written while the file it replaces still takes its room, and a backup
    // that replaces a smaller one (or none) keeps the room it takes.
    const std::uint64_t programBytes = files.Size(programPath).value_or(0);
    fileio::Replacement backupStep{};
    if (makeBackup) {
        backupStep = {doc.text.size(), files.Size(backupPath).value_or(0)};
    }
    if (!fileio::HasRoomFor(files, programPath, {backupStep, {newSize, programBytes}})) {
        messages.Notify(FailureText(Written::Full, programPath));
        return false;
    }

    // First the backup: the program as read, replacing the old backup only
    // once it is whole. The program file is not touched until then.
    if (makeBackup) {
        const Written backup =
            fileio::WriteWholeAndReplace(files, BackupTempPath(programPath), backupPath,
                                         [&doc](OutputFile& out) { return out.Write(doc.text); });
        if (backup != Written::Ok) {
            messages.Notify(FailureText(backup, programPath));
            return false;
        }
    }

    // Then the program, whole beside the program file before it replaces it.
    const Written saved = fileio::WriteWholeAndReplace(
        files, SaveTempPath(programPath), programPath,
        [&doc](OutputFile& out) { return WriteProgramBlocks(doc, out); });
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
