#include "editor/document/stick_layout.h"

#include <cstdio>

#include "editor/document/paths.h"

namespace zolt {

std::string BackupPath(const std::string& programPath) {
    return SiblingPath(programPath, SplitPath(programPath).base, ".BAK");
}

// Temporary names never fall on the program file itself, whatever its
// extension.
std::string SaveTempPath(const std::string& programPath) {
    const PathParts parts = SplitPath(programPath);
    return SiblingPath(programPath, parts.base, SameFileName(parts.ext, ".$$$") ? ".$$1" : ".$$$");
}

std::string BackupTempPath(const std::string& programPath) {
    const PathParts parts = SplitPath(programPath);
    return SiblingPath(programPath, parts.base, SameFileName(parts.ext, ".$$B") ? ".$$2" : ".$$B");
}

std::string ActionExtPath(const std::string& programPath) {
    return SiblingPath(programPath, "ACTION", "EXT");
}

std::string ActionCfgPath(const std::string& programPath) {
    return SiblingPath(programPath, "ACTION", "CFG");
}

std::string MarkerPath(const std::string& programPath, int model) {
    char name[64];
    std::snprintf(name, sizeof name, "..\\..\\..\\MW\\CONF\\ERS-%3d", model);
    return SiblingPath(programPath, name, "MWC");
}

}  // namespace zolt
