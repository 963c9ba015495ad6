#include "editor/document/paths.h"

#include <vector>

#ifdef _WIN32
#include <direct.h>
#define ZOLT_GETCWD _getcwd
#else
#include <unistd.h>
#define ZOLT_GETCWD getcwd
#endif

namespace zolt {

char HostSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

namespace {

bool HasDrive(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') {
        return false;
    }
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsUnc(std::string_view path) {
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

std::string ToHostSeparators(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (IsSeparator(c)) {
            c = HostSeparator();
        }
    }
    return out;
}

// Everything before the first directory below the root: "M:", "\\server\share"
// or nothing.
std::string_view RootPrefix(std::string_view path) {
    if (HasDrive(path)) {
        return path.substr(0, 2);
    }
    if (IsUnc(path)) {
        std::size_t pos = 2;
        for (int part = 0; part < 2 && pos <= path.size(); ++part) {
            while (pos < path.size() && !IsSeparator(path[pos])) {
                ++pos;
            }
            if (part == 0 && pos < path.size()) {
                ++pos;
            }
        }
        return path.substr(0, pos);
    }
    return {};
}

// Folds "." and ".." in a path that starts at a root.
std::string FoldFromRoot(std::string_view prefix, std::string_view rest) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        std::size_t end = pos;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::string_view part = rest.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string out = ToHostSeparators(prefix);
    for (std::string_view part : parts) {
        out += HostSeparator();
        out += part;
    }
    if (parts.empty()) {
        out += HostSeparator();
    }
    return out;
}

}  // namespace

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (HasDrive(path)) {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const std::size_t lastSep = path.find_last_of("\\/");
    if (lastSep != std::string_view::npos) {
        parts.dir = std::string(path.substr(0, lastSep + 1));
        path.remove_prefix(lastSep + 1);
    }
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string_view::npos) {
        parts.ext = std::string(path.substr(dot));
        path = path.substr(0, dot);
    }
    parts.base = std::string(path);
    return parts;
}

std::string JoinPath(const PathParts& parts) {
    std::string out = parts.drive;
    out += ToHostSeparators(parts.dir);
    if (!parts.dir.empty() && !IsSeparator(parts.dir.back())) {
        out += HostSeparator();
    }
    out += ToHostSeparators(parts.base);
    if (!parts.ext.empty()) {
        if (parts.ext.front() != '.') {
            out += '.';
        }
        out += parts.ext;
    }
    return out;
}

std::string MakeFullPath(std::string_view location, std::string_view currentDir) {
    if (IsUnc(location) ||
        (HasDrive(location) && location.size() > 2 && IsSeparator(location[2]))) {
        const std::string_view prefix = RootPrefix(location);
        return FoldFromRoot(prefix, location.substr(prefix.size()));
    }
    const std::string_view cwdPrefix = RootPrefix(currentDir);
    if (HasDrive(location)) {
        // "X:name" is relative to the current directory only on that drive.
        const bool sameDrive =
            HasDrive(currentDir) && (currentDir[0] | 0x20) == (location[0] | 0x20);
        std::string rest = sameDrive ? std::string(currentDir.substr(2)) : std::string();
        rest += '/';
        rest += location.substr(2);
        return FoldFromRoot(location.substr(0, 2), rest);
    }
    if (!location.empty() && IsSeparator(location[0])) {
        return FoldFromRoot(cwdPrefix, location);
    }
    std::string rest(currentDir.substr(cwdPrefix.size()));
    rest += '/';
    rest += location;
    return FoldFromRoot(cwdPrefix, rest);
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    if (ZOLT_GETCWD(buffer.data(), static_cast<int>(buffer.size())) == nullptr) {
        return {};
    }
    return std::string(buffer.data());
}

std::string SiblingPath(std::string_view path, std::string_view base, std::string_view ext) {
    PathParts parts = SplitPath(path);
    parts.base = std::string(base);
    parts.ext = std::string(ext);
    return JoinPath(parts);
}

}  // namespace zolt
