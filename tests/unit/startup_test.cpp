#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>

#include "editor/document/program_save.h"
#include "editor/document/startup.h"
#include "unit/test_support.h"

namespace zolt {
namespace {

using test_support::WriteBytes;

const char kProgram[] = "// test\r\n//{ \"Touch/Head\"\r\nWAIT\r\n//}\r\n";

// A small stick: the program folder, ACTION.EXT with the given first line and
// the model's marker file; the editor is started from <root>/TOOLS.
struct Stick {
    std::string root = test_support::ScratchDir("stick");
    std::string ams = root + "/OPEN-R/APP/PC/AMS";
    std::string program = ams + "/R-CODE.R";
    std::string ext = ams + "/ACTION.EXT";
    std::string tools = root + "/TOOLS";

    Stick() {
        WriteBytes(program, kProgram);
        WriteBytes(ext, "; ERS-210 actions\r\nDANCE 1 0\r\n");
        WriteBytes(root + "/OPEN-R/MW/CONF/ERS-210.MWC", "");
        std::filesystem::create_directories(tools);
    }
};

TEST(CheckStartup, ReportsTheFirstFailureInItsWords) {
    const std::string x300(300, 'x');
    const struct {
        const char* what;
        std::function<void(Stick&)> change;
        std::function<std::string(Stick&)> message;
    } cases[] = {
        {"sample", [](Stick&) {}, [](Stick&) { return std::string(); }},
        {"missing program", [](Stick& s) { std::filesystem::remove(s.program); },
         [](Stick& s) { return "ERROR: Can't open R-CODE.R file\n" + s.program; }},
        {"empty program", [](Stick& s) { WriteBytes(s.program, ""); },
         [](Stick& s) { return "ERROR: Can't open R-CODE.R file\n" + s.program; }},
        {"parse error", [](Stick& s) { WriteBytes(s.program, "A\n//{ \"a\"\n//{ \"b\"\n"); },
         [](Stick& s) {
             return "ERROR: Invalid syntax in R-CODE.R file\n" + s.program +
                    " (Missing //} - nesting not allowed around line 3)";
         }},
        {"open record", [](Stick& s) { WriteBytes(s.program, "//{ \"a\"\nWAIT\n"); },
         [](Stick& s) {
             return "ERROR: Invalid syntax in R-CODE.R file\n" + s.program +
                    " (missing //} for last ZOLT around line -1)";
         }},
        {"no records", [](Stick& s) { WriteBytes(s.program, "WAIT\r\n"); },
         [](Stick& s) { return "R-CODE program installed is not ZOLT enabled\n" + s.program; }},
        {"missing ACTION.EXT", [](Stick& s) { std::filesystem::remove(s.ext); },
         [](Stick& s) { return "ERROR: Missing ACTION.EXT - please reinstall\n" + s.ext; }},
        {"tag on the second line", [](Stick& s) { WriteBytes(s.ext, "actions\nERS-210\n"); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (no ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"tag after 255 characters", [x300](Stick& s) { WriteBytes(s.ext, x300 + " ERS-210\n"); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (no ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"empty ACTION.EXT", [](Stick& s) { WriteBytes(s.ext, ""); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (no ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"ERS-2x0", [](Stick& s) { WriteBytes(s.ext, "ERS-2x0\n"); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (bad ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"ERS-31x", [](Stick& s) { WriteBytes(s.ext, "for ERS-31x robots\n"); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (bad ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"blank and sign before the digits", [](Stick& s) { WriteBytes(s.ext, "ERS- +210\n"); },
         [](Stick&) { return std::string(); }},
        {"program of 5 GB, refused before it is read",
         [](Stick& s) { std::filesystem::resize_file(s.program, 5ull << 30); },
         [](Stick& s) { return "ERROR: Can't open R-CODE.R file\n" + s.program; }},
        {"program is a FIFO",
         [](Stick& s) {
             std::filesystem::remove(s.program);
             ::mkfifo(s.program.c_str(), 0644);
         },
         [](Stick& s) { return "ERROR: Can't open R-CODE.R file\n" + s.program; }},
        {"ACTION.EXT is a FIFO",
         [](Stick& s) {
             std::filesystem::remove(s.ext);
             ::mkfifo(s.ext.c_str(), 0644);
         },
         [](Stick& s) { return "ERROR: Missing ACTION.EXT - please reinstall\n" + s.ext; }},
        {"ACTION.EXT over 64 MiB: only its first line is read",
         [](Stick& s) { std::filesystem::resize_file(s.ext, 65u << 20); },
         [](Stick&) { return std::string(); }},
        {"the first line ends at a NUL byte",
         [](Stick& s) { WriteBytes(s.ext, std::string("actions\0 ERS-210\n", 17)); },
         [](Stick& s) {
             return "ERROR: Invalid ACTION.EXT (no ERS-??? tag) - please reinstall\n" + s.ext;
         }},
        {"no marker for ERS-310", [](Stick& s) { WriteBytes(s.ext, "ERS-310\r\n"); },
         [](Stick&) {
             return std::string(
                 "ERROR: Invalid ACTION.EXT (does not match model number ERS-310) - please "
                 "reinstall\n");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stick stick;
        c.change(stick);
        ProgramDocument doc;
        const StartupResult result = CheckStartup("", stick.tools, doc);
        EXPECT_EQ(EnglishText(result.message), c.message(stick));
        EXPECT_EQ(result.programPath, stick.program);
    }
}

TEST(CheckStartup, ProgramNamedOnTheCommandLineBringsItsNeighbourhood) {
    Stick stick;
    const std::string other = stick.root + "/COPY/DEEP/ER/R";
    WriteBytes(other + "/MY.R", kProgram);
    ProgramDocument doc;
    StartupResult result = CheckStartup("  " + other + "/MY.R", stick.tools, doc);
    EXPECT_EQ(EnglishText(result.message),
              "ERROR: Missing ACTION.EXT - please reinstall\n" + other + "/ACTION.EXT");

    WriteBytes(other + "/ACTION.EXT", "ERS-220\n");
    WriteBytes(stick.root + "/COPY/MW/CONF/ERS-220.MWC", "");
    ProgramDocument again;
    result = CheckStartup(other + "/MY.R", stick.tools, again);
    EXPECT_EQ(EnglishText(result.message), "");
    EXPECT_EQ(result.model, 220);
    EXPECT_EQ(again.RecordCount(), 1);
}

TEST(CheckStartup, QuotesStayInThePath) {
    Stick stick;
    ProgramDocument doc;
    const StartupResult result = CheckStartup("\"" + stick.program + "\"", stick.tools, doc);
    EXPECT_EQ(EnglishText(result.message),
              "ERROR: Can't open R-CODE.R file\n" + stick.tools + "/\"" + stick.program + "\"");
}

TEST(CheckStartup, OverlongPathsAreNotCutOff) {
    Stick stick;
    // A program path of 259 characters fits, but its backup "....BAK" and the
    // others derived from it are longer.
    const std::string base = stick.root + "/";
    const std::string name(259 - base.size() - 2, 'n');
    const std::string program = base + name + ".R";
    ASSERT_EQ(program.size(), 259u);
    WriteBytes(program, kProgram);
    ProgramDocument doc;
    const StartupResult result = CheckStartup(program, stick.tools, doc);
    EXPECT_EQ(EnglishText(result.message), "ERROR: Can't open R-CODE.R file\n" + program);
}

// A save cut short between the two steps of its last replace leaves the
// program file missing and the new program whole as R-CODE.$$$: it is
// offered only when it would pass the start-up checks itself.
TEST(FindUnplacedProgram, OffersOnlyAWholeProgramBesideAMissingOne) {
    const struct {
        const char* what;
        bool programThere;
        const char* temp;  // nullptr: a folder in its place
        bool offered;
    } cases[] = {
        {"whole", false, kProgram, true},
        {"program file there", true, kProgram, false},
        {"cut off inside a record", false, "//{ \"a\"\r\nWA", false},
        {"no ZOLT records", false, "WAIT\r\n", false},
        {"empty", false, "", false},
        {"a folder", false, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stick stick;
        const std::string temp = stick.ams + "/R-CODE.$$$";
        if (!c.programThere) {
            std::filesystem::remove(stick.program);
        }
        if (c.temp) {
            WriteBytes(temp, c.temp);
        } else {
            std::filesystem::create_directories(temp);
        }
        const auto found = FindUnplacedProgram(stick.program, SystemFileOps());
        ASSERT_EQ(found.has_value(), c.offered);
        if (found) {
            EXPECT_EQ(found->path, temp);
            EXPECT_EQ(found->size, sizeof kProgram - 1);
        }
        EXPECT_EQ(std::filesystem::exists(stick.program), c.programThere);
    }
}

TEST(ArgumentText, IsEverythingAfterTheProgramName) {
    const struct {
        const char* commandLine;
        const char* argument;
    } cases[] = {
        {"zolt.exe", ""},
        {"zolt.exe   M:\\A B.R  ", "M:\\A B.R  "},
        {"zolt \t\"M:\\R-CODE.R\"", "\"M:\\R-CODE.R\""},
        {"\"C:\\My Tools\\zolt.exe\" ..\\R.R", "..\\R.R"},
        {"\"C:\\My Tools\\zolt.exe\"..\\R.R", "..\\R.R"},
        {"\"unterminated name", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(ArgumentText(c.commandLine), c.argument);
    }
}

}  // namespace
}  // namespace zolt
