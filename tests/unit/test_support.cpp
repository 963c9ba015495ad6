#include "unit/test_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace fs = std::filesystem;

namespace test_support {

std::string ScratchDir(std::string_view name) {
    static int counter = 0;
    const fs::path dir =
        fs::temp_directory_path() / ("zolt-test-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(++counter) + "-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

std::string HostPath(std::string_view windowsStyle) {
    std::string out(windowsStyle);
    for (char& c : out) {
        if (c == '\\') {
            c = static_cast<char>(fs::path::preferred_separator);
        }
    }
    return out;
}

}  // namespace test_support
