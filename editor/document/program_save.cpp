#include "editor/document/program_save.h"

#include <sys/stat.h>

#include <cstdio>

#include "editor/document/paths.h"
#include "editor/document/program_writer.h"

namespace zolt {

namespace {

class StdOutputFile final : public OutputFile {
  public:
    explicit StdOutputFile(std::FILE* file) : file_(file) {}
    ~StdOutputFile() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    bool Write(std::string_view bytes) override {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    bool Close() override {
        const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return flushed && closed;
    }

  private:
    std::FILE* file_;
};

class StdFileOps final : public FileOps {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            return nullptr;
        }
        return std::make_unique<StdOutputFile>(file);
    }
    bool Remove(const std::string& path) override { return std::remove(path.c_str()) == 0; }
    bool Rename(const std::string& from, const std::string& to) override {
        // POSIX rename replaces an existing file; Windows refuses. Refuse
        // everywhere, so a save behaves the same on every host.
        if (Exists(to)) {
            return false;
        }
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Exists(const std::string& path) override {
#ifdef _WIN32
        struct _stat st;
        return _stat(path.c_str(), &st) == 0;
#else
        struct stat st;
        return stat(path.c_str(), &st) == 0;
#endif
    }
};

std::string WithPath(std::string_view message, const std::string& path) {
    std::string text(message);
    text += '\n';
    text += path;
    return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20)) {
            return false;
        }
    }
    return true;
}

}  // namespace

FileOps& SystemFileOps() {
    static StdFileOps ops;
    return ops;
}

std::string BackupPath(const std::string& programPath) {
    return SiblingPath(programPath, SplitPath(programPath).base, ".BAK");
}

std::string SaveTempPath(const std::string& programPath) {
    const PathParts parts = SplitPath(programPath);
    // Never the program file itself, whatever its extension.
    return SiblingPath(programPath, parts.base, SameLetters(parts.ext, ".$$$") ? ".$$1" : ".$$$");
}

std::string SaveAsidePath(const std::string& programPath) {
    const PathParts parts = SplitPath(programPath);
    return SiblingPath(programPath, parts.base, SameLetters(parts.ext, ".$$O") ? ".$$2" : ".$$O");
}

bool SaveProgram(const std::string& programPath, const ProgramDocument& doc, FileOps& files,
                 MessageSink& messages) {
    const std::string refusal = CheckReadBack(doc);
    if (!refusal.empty()) {
        messages.Notify(refusal);
        return false;
    }
    const std::string tempPath = SaveTempPath(programPath);
    const std::string backupPath = BackupPath(programPath);
    auto cannotWrite = [&]() {
        files.Remove(tempPath);
        messages.Notify(WithPath("ERROR: Can't write new R-CODE.R file", programPath));
        return false;
    };

    std::unique_ptr<OutputFile> out = files.Create(tempPath);
    if (!out) {
        messages.Notify(WithPath("ERROR: Can't create new R-CODE.R file", programPath));
        return false;
    }
    const bool written = out->Write(WriteProgram(doc));
    const bool closed = out->Close();
    out.reset();
    if (!written || !closed) {
        return cannotWrite();
    }

    // The new file is complete: the current program file becomes the backup.
    // The old backup waits aside until the new file stands in place, so that
    // any failed step can be undone. A program file that itself ends in .BAK
    // has no backup of its own: it waits aside instead.
    const bool keepBackup = !SameLetters(backupPath, programPath);
    const std::string aside = SaveAsidePath(programPath);
    const std::string programTo = keepBackup ? backupPath : aside;
    files.Remove(aside);
    bool backupAside = false;
    if (keepBackup) {
        backupAside = files.Rename(backupPath, aside);
        if (!backupAside && files.Exists(backupPath)) {
            return cannotWrite();
        }
    }
    const bool programMoved = files.Rename(programPath, programTo);
    auto undo = [&]() {
        if (programMoved) {
            files.Rename(programTo, programPath);
        }
        if (backupAside) {
            files.Rename(aside, backupPath);
        }
        return cannotWrite();
    };
    // Replacing a program file that could not be moved would lose it.
    if (!programMoved && files.Exists(programPath)) {
        return undo();
    }
    if (!files.Rename(tempPath, programPath)) {
        return undo();
    }
    files.Remove(aside);
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
