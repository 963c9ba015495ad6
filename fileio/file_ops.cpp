#include "fileio/file_ops.h"

#include <algorithm>

namespace fileio {

Written WriteWhole(FileOps& files, const std::string& path, const WriteBytes& write) {
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

Written WriteWholeAndReplace(FileOps& files, const std::string& temp, const std::string& target,
                             const WriteBytes& write) {
    const Written written = WriteWhole(files, temp, write);
    if (written != Written::Ok) {
        return written;
    }
    if (!files.Replace(temp, target)) {
        files.Remove(temp);
        return Written::CantWrite;
    }
    return Written::Ok;
}

std::uint64_t OnDisk(std::uint64_t size, const Room& room) {
    const std::uint64_t cluster = std::max<std::uint64_t>(room.clusterBytes, 1);
    return (size + cluster - 1) / cluster * cluster;
}

std::uint64_t RoomNeeded(std::initializer_list<Replacement> steps, const Room& room) {
    // Taken: what the finished steps added to the stick (less what they gave
    // back, which may be more than they took).
    std::int64_t taken = 0;
    std::int64_t peak = 0;
    for (const Replacement& step : steps) {
        const auto newRoom = static_cast<std::int64_t>(OnDisk(step.newBytes, room));
        const auto oldRoom = static_cast<std::int64_t>(OnDisk(step.oldBytes, room));
        peak = std::max(peak, taken + newRoom);
        taken += newRoom - oldRoom;
    }
    return static_cast<std::uint64_t>(peak);
}

bool HasRoomFor(FileOps& files, const std::string& path, std::initializer_list<Replacement> steps) {
    const std::optional<Room> room = files.FreeRoom(path);
    return !room || room->freeBytes >= RoomNeeded(steps, *room);
}

}  // namespace fileio
