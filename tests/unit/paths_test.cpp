#include <gtest/gtest.h>

#include "editor/document/paths.h"
#include "editor/document/program_save.h"
#include "editor/document/startup.h"
#include "unit/test_support.h"

namespace zolt {
namespace {

using test_support::HostPath;

TEST(MakeFullPath, FollowsWindowsRulesOnEveryHost) {
    const struct {
        const char* location;
        const char* cwd;
        const char* full;
    } cases[] = {
        {"../OPEN-R/APP/PC/AMS/R-CODE.R", "M:\\ZOLT", "M:\\OPEN-R\\APP\\PC\\AMS\\R-CODE.R"},
        {"..\\..\\..\\R-CODE.R", "M:\\ZOLT", "M:\\R-CODE.R"},
        {".\\A\\.\\B\\..\\R.R", "M:\\ZOLT", "M:\\ZOLT\\A\\R.R"},
        {"\\OPEN-R\\R.R", "M:\\ZOLT", "M:\\OPEN-R\\R.R"},
        {"C:\\x\\R.R", "M:\\ZOLT", "C:\\x\\R.R"},
        {"C:/x//y/R.R", "M:\\ZOLT", "C:\\x\\y\\R.R"},
        {"m:R.R", "M:\\ZOLT", "m:\\ZOLT\\R.R"},
        {"C:R.R", "M:\\ZOLT", "C:\\R.R"},
        {"\\\\server\\share\\dir\\..\\R.R", "M:\\ZOLT", "\\\\server\\share\\R.R"},
        {"\"C:\\x\\R.R\"", "M:\\ZOLT", "M:\\ZOLT\\\"C:\\x\\R.R\""},
        {"../OPEN-R/R-CODE.R", "/media/stick/ZOLT", "\\media\\stick\\OPEN-R\\R-CODE.R"},
        {"/abs/R-CODE.R", "/media/stick/ZOLT", "\\abs\\R-CODE.R"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.location) + " in " + c.cwd);
        EXPECT_EQ(MakeFullPath(c.location, c.cwd), HostPath(c.full));
    }
}

TEST(DerivedPaths, StandBesideTheProgramFile) {
    const std::string program = HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\R-CODE.R");
    EXPECT_EQ(BackupPath(program), HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"));
    EXPECT_EQ(SaveTempPath(program), HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\R-CODE.$$$"));
    EXPECT_EQ(SaveTempPath(HostPath("M:\\A.$$$")), HostPath("M:\\A.$$1"));
    EXPECT_EQ(BackupTempPath(program), HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\R-CODE.$$B"));
    EXPECT_EQ(BackupTempPath(HostPath("M:\\A.$$B")), HostPath("M:\\A.$$2"));
    EXPECT_EQ(ActionExtPath(program), HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\ACTION.EXT"));
    EXPECT_EQ(ActionCfgPath(program), HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\ACTION.CFG"));
    EXPECT_EQ(MarkerPath(program, 220),
              HostPath("M:\\OPEN-R\\APP\\PC\\AMS\\..\\..\\..\\MW\\CONF\\ERS-220.MWC"));
    EXPECT_EQ(BackupPath(HostPath("M:\\DOGS\\my.dog.r")), HostPath("M:\\DOGS\\my.dog.BAK"));
    EXPECT_EQ(BackupPath("RCODE"), "RCODE.BAK");
}

TEST(ReadLeadingInt, ReadsLikeAtoiButSaturates) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"210", 210},
        {" \t+220 x", 220},
        {"-31x", -31},
        {"2x0", 2},
        {"", 0},
        {"x210", 0},
        {"310.MWC", 310},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLeadingInt(c.text), c.value);
    }
}

}  // namespace
}  // namespace zolt
