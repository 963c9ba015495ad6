#include "editor/document/program_save.h"

#include "editor/document/paths.h"
#include "editor/document/program_writer.h"
#include "editor/document/stick_layout.h"

namespace zolt {

namespace {

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

// A failed step's message; once the backup holds the program as read, it
// says so and where.
Message FailureMessage(Written how, const std::string& programPath,
                       const std::string* backupPath = nullptr) {
    MessageId id = MessageId::SaveCantWrite;
    if (how == Written::CantCreate) {
        id = backupPath ? MessageId::SaveCantCreateKeptBackup : MessageId::SaveCantCreate;
    } else if (how == Written::Full) {
        id = backupPath ? MessageId::SaveFullKeptBackup : MessageId::SaveFull;
    } else if (backupPath) {
        id = MessageId::SaveCantWriteKeptBackup;
    }
    if (backupPath) {
        return MakeMessage(id, {programPath, *backupPath});
    }
    return MakeMessage(id, {programPath});
}

}  // namespace

bool SaveProgram(const std::string& programPath, const ProgramDocument& doc, FileOps& files,
                 MessageSink& messages) {
    const Message refusal = CheckReadBack(doc);
    if (!refusal.Empty()) {
        messages.Notify(refusal);
        return false;
    }
    const std::string backupPath = BackupPath(programPath);
    const std::size_t newSize = WrittenSize(doc);

    // A read-only file is the owner's word that it must not change.
    const FileState program = files.State(programPath);
    if (program == FileState::ReadOnly) {
        messages.Notify(MakeMessage(MessageId::SaveReadOnly, {programPath}));
        return false;
    }
    // A program file named like its own backup has none; a program file that
    // is gone has nothing to back up.
    const bool makeBackup = !SameFileName(backupPath, programPath) && program != FileState::Missing;
    if (makeBackup && files.State(backupPath) == FileState::ReadOnly) {
        messages.Notify(MakeMessage(MessageId::SaveBackupReadOnly, {programPath, backupPath}));
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
        messages.Notify(FailureMessage(Written::Full, programPath));
        return false;
    }

    // First the backup: the program as read, replacing the old backup only
    // once it is whole. The program file is not touched until then.
    if (makeBackup) {
        const Written backup =
            fileio::WriteWholeAndReplace(files, BackupTempPath(programPath), backupPath,
                                         [&doc](OutputFile& out) { return out.Write(doc.text); });
        if (backup != Written::Ok) {
            messages.Notify(FailureMessage(backup, programPath));
            return false;
        }
    }

    // Then the program, whole beside the program file before it replaces it.
    const Written saved = fileio::WriteWholeAndReplace(
        files, SaveTempPath(programPath), programPath,
        [&doc](OutputFile& out) { return WriteProgramBlocks(doc, out); });
    if (saved != Written::Ok) {
        messages.Notify(FailureMessage(saved, programPath, makeBackup ? &backupPath : nullptr));
        return false;
    }
    messages.Notify(
        MakeMessage(doc.modified ? MessageId::ChangesSaved : MessageId::SavedWithoutChanges));
    return true;
}

bool ConfirmCancel(const ProgramDocument& doc, MessageSink& messages) {
    if (!doc.modified) {
        return true;
    }
    return messages.AskYesNo(MakeMessage(MessageId::AbandonChanges));
}

}  // namespace zolt
