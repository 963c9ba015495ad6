#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zolt {

// Which bytes begin a two-byte character in the active ANSI code page. In
// Japanese (932), Chinese (936, 950) and Korean (949) Windows a lead byte and
// the byte after it are one character, and that trail byte may be 0x5C, the
// backslash, or an ASCII letter: path and name functions step over whole
// characters, so a trail byte is never a separator and never case-folded.
class LeadBytes {
  public:
    static LeadBytes SingleByte() { return LeadBytes(); }
    // The rule of a double-byte code page; any other code page is single-byte.
    static LeadBytes OfCodePage(int codePage);
    // The rule as the system reports it, one flag per byte value.
    static LeadBytes FromFlags(const std::array<bool, 256>& isLead);

    bool IsLead(unsigned char c) const { return lead_[c]; }

  private:
    std::array<bool, 256> lead_{};
};

// The rule every path and name function uses; single-byte until set. The
// programs set the system's at start; tests set the code page they test.
void SetActiveLeadBytes(const LeadBytes& rule);
const LeadBytes& ActiveLeadBytes();

// Where the character after the one that starts at index i begins.
std::size_t NextCharIndex(std::string_view text, std::size_t i);
// The index of the first character equal to c (an ASCII character), or npos.
std::size_t FindChar(std::string_view text, char c);
// Case-insensitive comparison of file names: ASCII letters fold, every other
// byte, and every trail byte, compares exactly.
bool SameFileName(std::string_view a, std::string_view b);

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
