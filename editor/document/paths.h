#pragma once

#include <string>
#include <string_view>

namespace zolt {

// A path split the way Windows splits it, at both '\' and '/':
// drive ("M:" or empty), directory (with its trailing separator), base name
// and extension (with its dot).
struct PathParts {
    std::string drive;
    std::string dir;
    std::string base;
    std::string ext;
};

char HostSeparator();
bool IsSeparator(char c);

PathParts SplitPath(std::string_view path);

// Joins the parts; a separator is added after a directory that lacks one, a dot
// before an extension that lacks one, and every separator in the directory and
// base name becomes the host's own.
std::string JoinPath(const PathParts& parts);

// The full path of a location: relative locations are made full against the
// current directory, "." and ".." are folded lexically, and the result is
// written with the host's separator.
std::string MakeFullPath(std::string_view location, std::string_view currentDir);

// The process's current directory, empty when it cannot be found.
std::string CurrentDirectory();

// A file beside the given one: same drive and directory, the given base name
// and extension.
std::string SiblingPath(std::string_view path, std::string_view base, std::string_view ext);

}  // namespace zolt
