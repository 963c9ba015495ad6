// The host's file operations for a save (Linux, macOS): the tests and the
// checker run on them. The Windows programs use Windows' own.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "fileio/file_ops.h"

namespace fileio {

namespace {

IoResult Failure() {
    return errno == ENOSPC || errno == EDQUOT ? IoResult::Full : IoResult::Failed;
}

class PosixOutputFile final : public OutputFile {
  public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    IoResult Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return n == 0 ? IoResult::Failed : Failure();
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return IoResult::Ok;
    }
    IoResult Flush() override { return ::fsync(fd_) == 0 ? IoResult::Ok : Failure(); }
    IoResult Close() override {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? IoResult::Ok : Failure();
    }

  private:
    int fd_;
};

class PosixFileOps final : public FileOps {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            return nullptr;
        }
        return std::make_unique<PosixOutputFile>(fd);
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
    FileState State(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unknown;
        }
        // Read-only by its mode, as the owner set it (whoever runs the save).
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? FileState::ReadOnly
                                                                 : FileState::Writable;
    }
    std::optional<Room> FreeRoom(const std::string& path) override {
        std::string dir = path;
        const std::size_t slash = dir.find_last_of('/');
        dir = slash == std::string::npos ? "." : dir.substr(0, slash + 1);
        struct statvfs fs {};
        if (::statvfs(dir.c_str(), &fs) != 0) {
            return std::nullopt;
        }
        return Room{static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize,
                    static_cast<std::uint64_t>(fs.f_frsize)};
    }
    std::optional<std::uint64_t> Size(const std::string& path) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(st.st_size);
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace fileio
