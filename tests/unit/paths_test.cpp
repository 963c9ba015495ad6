#include <gtest/gtest.h>

#include "editor/document/paths.h"
#include "editor/document/stick_layout.h"
#include "editor/document/text_file.h"
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

// Sets the lead bytes of a code page for one test.
struct ActiveCodePage {
    explicit ActiveCodePage(int codePage) { SetActiveLeadBytes(LeadBytes::OfCodePage(codePage)); }
    ~ActiveCodePage() { SetActiveLeadBytes(LeadBytes::SingleByte()); }
};

// '>' stands for the host's separator: it is no trail byte in any of these
// code pages, where 0x5C, the backslash, is.
std::string Expected(std::string text) {
    for (char& c : text) {
        if (c == '>') {
            c = HostSeparator();
        }
    }
    return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(DoubleBytePaths, ATrailByteIsNeverASeparator) {
    // Per code page: a two-byte character whose trail byte is 0x5C, and a
    // folder name of three characters that begins with it, like "ソフト".
    const struct {
        int codePage;
        const char* ch;
        const char* folder;
    } codePages[] = {
        {932, "\x83\x5C", "\x83\x5C\x83\x74\x83\x67"},  // ソ, ソフト
        {936, "\x81\x5C", "\x81\x5C\x81\x74\x81\x67"},
        {949, "\x81\x5C", "\x81\x5C\x81\x74\x81\x67"},
        {950, "\xA5\x5C", "\xA5\x5C\xA5\x74\xA5\x67"},  // 功
    };
    // F stands for the folder name, C for the character.
    const struct {
        const char* what;
        const char* location;
        const char* cwd;
        const char* full;
        const char* backup;
    } cases[] = {
        {"started from a folder whose name has a trail 0x5C", "..\\OPEN-R\\APP\\R-CODE.R",
         "M:\\stick\\F", "M:>stick>OPEN-R>APP>R-CODE.R", "M:>stick>OPEN-R>APP>R-CODE.BAK"},
        {"a trail 0x5C ends the folder name", "..\\R-CODE.R", "M:\\stickC\\ZOLT",
         "M:>stickC>R-CODE.R", "M:>stickC>R-CODE.BAK"},
        {"a trail 0x5C before ..", "F\\..\\R-CODE.R", "M:\\ZOLT", "M:>ZOLT>R-CODE.R",
         "M:>ZOLT>R-CODE.BAK"},
        {"in the base name", "\\AMS\\F.R", "M:\\ZOLT", "M:>AMS>F.R", "M:>AMS>F.BAK"},
        {"in the extension", "\\AMS\\R-CODE.F", "M:\\ZOLT", "M:>AMS>R-CODE.F", "M:>AMS>R-CODE.BAK"},
        {"in a share name", "\\\\srvC\\shareC\\F\\..\\R.R", "M:\\ZOLT", ">>srvC>shareC>R.R",
         ">>srvC>shareC>R.BAK"},
    };
    for (const auto& page : codePages) {
        const ActiveCodePage active(page.codePage);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(page.codePage) + ": " + c.what);
            auto fill = [&](const char* text) {
                return Replace(Replace(text, "F", page.folder), "C", page.ch);
            };
            const std::string full = MakeFullPath(fill(c.location), fill(c.cwd));
            EXPECT_EQ(full, Expected(fill(c.full)));
            EXPECT_EQ(BackupPath(full), Expected(fill(c.backup)));
        }
    }
}

TEST(DoubleBytePaths, CaseFoldingNeverTouchesATrailByte) {
    const struct {
        int codePage;
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {0, "R-CODE.bak", "r-code.BAK", true},
        {0, "@.R", "`.R", false},
        {932, "\x83\x41.R", "\x83\x61.r", false},  // trail bytes 'A' and 'a'
        {932, "\x83\x41.R", "\x83\x41.r", true},
        {949, "\xB0\x41.BAK", "\xB0\x61.bak", false},
        {949, "\x41\xB0\x41", "\x61\xB0\x41", true},
        {0, "\xB0\x41", "\xB0\x61", true},  // single-byte: A and a are letters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b + " in " + std::to_string(c.codePage));
        const ActiveCodePage active(c.codePage);
        EXPECT_EQ(SameFileName(c.a, c.b), c.same);
    }
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
