#pragma once

#include <string>
#include <string_view>

namespace zolt {

// The stick as the editor sees it: every file the editor uses is found from
// the program file's path, so a program named on the command line brings its
// own neighbourhood.

// Where the editor looks for the program file when no path is given: the
// stick's program, seen from a folder one level below the stick's root.
inline constexpr std::string_view kDefaultProgramLocation = "../OPEN-R/APP/PC/AMS/R-CODE.R";

// The backup a save keeps: the program's base name with the extension BAK.
std::string BackupPath(const std::string& programPath);
// Where a save writes the new program before it replaces the program file.
std::string SaveTempPath(const std::string& programPath);
// Where a save writes the new backup before it replaces the backup.
std::string BackupTempPath(const std::string& programPath);

// The installed actions beside the program file.
std::string ActionExtPath(const std::string& programPath);
std::string ActionCfgPath(const std::string& programPath);
// The model's marker file, three folders up: ..\..\..\MW\CONF\ERS-210.MWC.
std::string MarkerPath(const std::string& programPath, int model);

}  // namespace zolt
