#pragma once

// What the fuzz targets share: a check that stops the run at once, and a
// file read whole.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

}  // namespace fuzz
