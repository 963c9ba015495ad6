#include "editor/document/paths.h"

#include <algorithm>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#define ZOLT_GETCWD _getcwd
#else
#include <unistd.h>
#define ZOLT_GETCWD getcwd
#endif

namespace zolt {

namespace {

LeadBytes& Active() {
    static LeadBytes rule = LeadBytes::SingleByte();
    return rule;
}

void MarkRange(std::array<bool, 256>& flags, int first, int last) {
    for (int c = first; c <= last; ++c) {
        flags[static_cast<std::size_t>(c)] = true;
    }
}

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

LeadBytes LeadBytes::OfCodePage(int codePage) {
    std::array<bool, 256> flags{};
    switch (codePage) {
        case 932:  // Shift-JIS
            MarkRange(flags, 0x81, 0x9F);
            MarkRange(flags, 0xE0, 0xFC);
            break;
        case 936:  // GBK
        case 949:  // Unified Hangul
        case 950:  // Big5
            MarkRange(flags, 0x81, 0xFE);
            break;
        default:
            break;
    }
    return FromFlags(flags);
}

LeadBytes LeadBytes::FromFlags(const std::array<bool, 256>& isLead) {
    LeadBytes rule;
    rule.lead_ = isLead;
    return rule;
}

void SetActiveLeadBytes(const LeadBytes& rule) {
    Active() = rule;
}

const LeadBytes& ActiveLeadBytes() {
    return Active();
}

std::size_t NextCharIndex(std::string_view text, std::size_t i) {
    if (i + 1 < text.size() && Active().IsLead(static_cast<unsigned char>(text[i]))) {
        return i + 2;
    }
    return i + 1;
}

std::size_t FindChar(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); i = NextCharIndex(text, i)) {
        if (text[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool SameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t next = NextCharIndex(a, i);
        if (next - i == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) {
                return false;
            }
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i = next;
    }
    return true;
}

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
    for (std::size_t i = 0; i < out.size(); i = NextCharIndex(out, i)) {
        if (IsSeparator(out[i])) {
            out[i] = HostSeparator();
        }
    }
    return out;
}

// The index of the first separator character at or after `from`, or the size.
std::size_t NextSeparator(std::string_view path, std::size_t from) {
    std::size_t i = from;
    while (i < path.size() && !IsSeparator(path[i])) {
        i = NextCharIndex(path, i);
    }
    return std::min(i, path.size());
}

// The index of the last character of the path that is c, or npos.
std::size_t FindLastChar(std::string_view text, std::string_view chars) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i = NextCharIndex(text, i)) {
        if (chars.find(text[i]) != std::string_view::npos) {
            found = i;
        }
    }
    return found;
}

bool EndsWithSeparator(std::string_view path) {
    const std::size_t last = FindLastChar(path, "\\/");
    return last != std::string_view::npos && last + 1 == path.size();
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
            pos = NextSeparator(path, pos);
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
        const std::size_t end = NextSeparator(rest, pos);
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
    const std::size_t lastSep = FindLastChar(path, "\\/");
    if (lastSep != std::string_view::npos) {
        parts.dir = std::string(path.substr(0, lastSep + 1));
        path.remove_prefix(lastSep + 1);
    }
    const std::size_t dot = FindLastChar(path, ".");
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
    if (!parts.dir.empty() && !EndsWithSeparator(parts.dir)) {
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
