#pragma once

#include <string>
#include <string_view>

namespace test_support {

// A fresh, empty folder for one test, below the system's temporary folder.
std::string ScratchDir(std::string_view name);

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// Writes a path with the host's separator: "a\\b" becomes "a/b" on POSIX.
std::string HostPath(std::string_view windowsStyle);

}  // namespace test_support
