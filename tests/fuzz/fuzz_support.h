#pragma once

// What the fuzz targets share: a check that stops the run at once, a file
// read whole, and the failure schedules of the save targets.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>

namespace fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// One save attempt of a fuzzed schedule: the file operations that fail
// (numbered from 1) and whether they fail for want of room.
struct Attempt {
    std::set<int> failing;
    bool full = false;
};

// The attempts an input names: separated by zero bytes, each byte a failing
// operation (its low six bits) and, in bit 6, for want of room; at most nine,
// then one in which nothing fails.
inline std::vector<Attempt> Attempts(const std::uint8_t* data, std::size_t size) {
    std::vector<Attempt> attempts(1);
    for (std::size_t i = 0; i < size && attempts.size() <= 8; ++i) {
        if (data[i] == 0) {
            attempts.emplace_back();
            continue;
        }
        attempts.back().failing.insert(data[i] & 0x3F);
        attempts.back().full = attempts.back().full || (data[i] & 0x40) != 0;
    }
    attempts.emplace_back();
    return attempts;
}

}  // namespace fuzz
