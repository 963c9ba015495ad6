#pragma once

// The file layer under both programs: one seam through which every file
// operation of a save goes, so that tests can record the steps and make any
// of them fail, and the one way a save puts a new file in place.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

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

// What a save finds in a file's place.
enum class FileState { Missing, Writable, ReadOnly, Unknown };

// Free room on the medium that holds a file.
struct Room {
    std::uint64_t freeBytes = 0;
    std::uint64_t clusterBytes = 1;  // files take whole clusters
};

class FileOps {
  public:
    virtual ~FileOps() = default;
    // Creates a file, or empties an existing one, for writing, unshared.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
    // Puts `from` in the place of `to` in one step: afterwards `to` holds
    // either its old content or the new one, never neither.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual FileState State(const std::string& path) = 0;
    // Empty when the room cannot be learned.
    virtual std::optional<Room> FreeRoom(const std::string& path) = 0;
    // The size of a regular file; empty when there is none or it cannot be
    // learned.
    virtual std::optional<std::uint64_t> Size(const std::string& path) = 0;
};

// The system's own file operations: the host's, or Windows' in the programs.
FileOps& SystemFileOps();

// How writing a file whole ended.
enum class Written { Ok, CantCreate, CantWrite, Full };

// Hands the bytes of a file to it; returns how the last write went.
using WriteBytes = std::function<IoResult(OutputFile&)>;

// Writes a file whole, flushed to the medium and closed, every step checked.
// A file that did not come out whole is removed again: its content is still
// in memory.
Written WriteWhole(FileOps& files, const std::string& path, const WriteBytes& write);

// Writes `temp` whole beside `target`, then puts it in the target's place in
// one step. On failure the target stands as it was and `temp` is removed;
// a failed replace counts as CantWrite.
Written WriteWholeAndReplace(FileOps& files, const std::string& temp, const std::string& target,
                             const WriteBytes& write);

// The room a file of this size takes on the medium.
std::uint64_t OnDisk(std::uint64_t size, const Room& room);

// One file that a save puts in place: the new file's size, and the size of
// the file it replaces (0 when there is none).
struct Replacement {
    std::uint64_t newBytes = 0;
    std::uint64_t oldBytes = 0;
};

// The most room a save needs at any moment when it puts these files in place
// in this order: each new file is written whole while the file it replaces
// still stands, and once it is in place the old file's room is free again.
std::uint64_t RoomNeeded(std::initializer_list<Replacement> steps, const Room& room);

// True when the medium has the room that these steps need, or when its room
// cannot be learned (the writes then say whether it was there).
bool HasRoomFor(FileOps& files, const std::string& path, std::initializer_list<Replacement> steps);

}  // namespace fileio
