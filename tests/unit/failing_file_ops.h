#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/file_ops.h"

namespace test_support {

using fileio::FileOps;
using fileio::FileState;
using fileio::IoResult;
using fileio::OutputFile;
using fileio::Room;

// Passes every file operation of a save to the real ones and records it,
// except the ones numbered in `failing` (from 1), which fail: a create,
// replace or remove without touching the disk; a look-up that cannot tell; a
// write after half of its bytes, a flush or a close as if the bytes had not
// reached the medium (the file is left short). A failing write, flush or
// close reports `how` (Failed, or Full for want of room). Serves both
// programs' saves.
class FailingFileOps : public FileOps {
  public:
    FailingFileOps(std::set<int> failing, FileOps& real, IoResult how = IoResult::Failed)
        : failing_(std::move(failing)), real_(real), how_(how) {}
    int calls = 0;
    std::vector<std::string> log;  // "3 create R-CODE.$$B", "4 FAIL write R-CODE.$$B", ...
    std::optional<Room> room;      // when set, the free room reported

    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        if (Fails("create " + Name(path))) {
            return nullptr;
        }
        std::unique_ptr<OutputFile> file = real_.Create(path);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<File>(this, std::move(file), path);
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return !Fails("replace " + Name(from) + " " + Name(to)) && real_.Replace(from, to);
    }
    bool Remove(const std::string& path) override {
        return !Fails("remove " + Name(path)) && real_.Remove(path);
    }
    FileState State(const std::string& path) override {
        return Fails("state " + Name(path)) ? FileState::Unknown : real_.State(path);
    }
    std::optional<Room> FreeRoom(const std::string& path) override {
        if (Fails("room " + Name(path))) {
            return std::nullopt;
        }
        return room ? room : real_.FreeRoom(path);
    }
    std::optional<std::uint64_t> Size(const std::string& path) override {
        if (Fails("size " + Name(path))) {
            return std::nullopt;
        }
        return real_.Size(path);
    }

  private:
    struct File : OutputFile {
        File(FailingFileOps* ops, std::unique_ptr<OutputFile> real, std::string path)
            : ops(ops), real(std::move(real)), path(std::move(path)) {}
        IoResult Write(std::string_view bytes) override {
            if (ops->Fails("write " + Name(path))) {
                real->Write(bytes.substr(0, bytes.size() / 2));
                return ops->how_;
            }
            written += bytes.size();
            return real->Write(bytes);
        }
        IoResult Flush() override {
            return ops->Fails("flush " + Name(path)) ? Cut() : real->Flush();
        }
        IoResult Close() override {
            if (ops->Fails("close " + Name(path))) {
                return Cut();
            }
            return closed ? IoResult::Failed : real->Close();
        }
        // What had not reached the medium is lost.
        IoResult Cut() {
            if (!closed) {
                real->Close();
                closed = true;
                std::error_code error;
                std::filesystem::resize_file(path, written / 2, error);
            }
            return ops->how_;
        }
        FailingFileOps* ops;
        std::unique_ptr<OutputFile> real;
        std::string path;
        std::size_t written = 0;
        bool closed = false;
    };
    static std::string Name(const std::string& path) {
        return path.substr(path.find_last_of("/\\") + 1);
    }
    bool Fails(const std::string& what) {
        ++calls;
        const bool fails = failing_.count(calls) != 0;
        log.push_back(std::to_string(calls) + (fails ? " FAIL " : " ") + what);
        return fails;
    }
    std::set<int> failing_;
    FileOps& real_;
    IoResult how_;
};

// The seam's log as lines, for a failing test's trace.
inline std::string LogText(const std::vector<std::string>& log) {
    std::string text;
    for (const std::string& line : log) {
        text += line + "\n";
    }
    return text;
}

// The number of the step that did this operation ("create R-CODE.$$B"), or 0.
inline int StepOf(const std::vector<std::string>& log, const std::string& operation) {
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i] == std::to_string(i + 1) + " " + operation) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

}  // namespace test_support
