// Windows' file operations for a save. Every write, the flush to the medium
// and the close are checked, and a new file takes its target's place with
// one MoveFileEx, written through to the medium.
#include <windows.h>

#include <algorithm>

#include "fileio/file_ops.h"

namespace fileio {

namespace {

IoResult Failure() {
    const DWORD error = GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? IoResult::Full
                                                                       : IoResult::Failed;
}

class Win32OutputFile final : public OutputFile {
  public:
    explicit Win32OutputFile(HANDLE file) : file_(file) {}
    ~Win32OutputFile() override {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
        }
    }
    IoResult Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr)) {
                return Failure();
            }
            if (written == 0) {
                return IoResult::Failed;
            }
            bytes.remove_prefix(written);
        }
        return IoResult::Ok;
    }
    IoResult Flush() override { return FlushFileBuffers(file_) ? IoResult::Ok : Failure(); }
    IoResult Close() override {
        const HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        return CloseHandle(file) ? IoResult::Ok : Failure();
    }

  private:
    HANDLE file_;
};

class Win32FileOps final : public FileOps {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<Win32OutputFile>(file);
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return MoveFileExA(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
    FileState State(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                       ? FileState::Missing
                       : FileState::Unknown;
        }
        return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? FileState::ReadOnly
                                                           : FileState::Writable;
    }
    std::optional<Room> FreeRoom(const std::string& path) override {
        char root[MAX_PATH] = "";
        if (!GetVolumePathNameA(path.c_str(), root, MAX_PATH)) {
            return std::nullopt;
        }
        ULARGE_INTEGER available{};
        if (!GetDiskFreeSpaceExA(root, &available, nullptr, nullptr)) {
            return std::nullopt;
        }
        Room room{available.QuadPart, 1};
        DWORD sectorsPerCluster = 0;
        DWORD bytesPerSector = 0;
        DWORD freeClusters = 0;
        DWORD clusters = 0;
        if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                              &clusters)) {
            room.clusterBytes = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
        }
        return room;
    }
    std::optional<std::uint64_t> Size(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return std::nullopt;
        }
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static Win32FileOps ops;
    return ops;
}

}  // namespace fileio
