#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"
#include "editor/document/program_save.h"
#include "unit/failing_file_ops.h"
#include "unit/test_support.h"

namespace zolt {
namespace {

using test_support::FileExists;
using test_support::ReadBytes;
using test_support::WriteBytes;

struct CapturedMessages : MessageSink {
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    bool answer = false;
    void Notify(const Message& message) override { shown.push_back(EnglishText(message)); }
    bool AskYesNo(const Message& message) override {
        asked.push_back(EnglishText(message));
        return answer;
    }
};

using test_support::FailingFileOps;

const std::string kOriginal = "HEAD\n  //{ \"a\"\nWAIT\n  //}\nTAIL";
const std::string kSaved = "HEAD\n  //{ \"a\"\n    WAIT\r\n    SET Warn 1\r\n  //}\nTAIL";
const std::string kOldBackup = "old backup";

struct Stick {
    std::string dir = test_support::ScratchDir("save");
    std::string program = dir + "/R-CODE.R";
    std::string backup = dir + "/R-CODE.BAK";
    std::string temp = dir + "/R-CODE.$$$";
    std::string backupTemp = dir + "/R-CODE.$$B";
    ProgramDocument doc;

    Stick() {
        WriteBytes(program, kOriginal);
        WriteBytes(backup, kOldBackup);
        doc.text = kOriginal;
        EXPECT_TRUE(ParseProgram(doc));
        doc.records[0].lines.AppendLine("SET Warn 1");
        doc.modified = true;
    }
    bool NoTemporaryFiles() const { return !FileExists(temp) && !FileExists(backupTemp); }
};

TEST(SaveProgram, KeepsTheOldFileAsBackup) {
    Stick stick;
    CapturedMessages messages;
    EXPECT_TRUE(SaveProgram(stick.program, stick.doc, SystemFileOps(), messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Changes saved!"});
    EXPECT_EQ(ReadBytes(stick.program), kSaved);
    EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
    EXPECT_TRUE(stick.NoTemporaryFiles());
}

TEST(SaveProgram, UnchangedDocumentIsWrittenToo) {
    Stick stick;
    std::filesystem::remove(stick.backup);
    ProgramDocument doc;
    doc.text = kOriginal;
    ASSERT_TRUE(ParseProgram(doc));
    CapturedMessages messages;
    EXPECT_TRUE(SaveProgram(stick.program, doc, SystemFileOps(), messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"File saved (no changes made)"});
    EXPECT_EQ(ReadBytes(stick.program), "HEAD\n  //{ \"a\"\n    WAIT\r\n  //}\nTAIL");
    EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
}

TEST(SaveProgram, BackupTakesTheProgramsOwnBaseName) {
    const std::string dir = test_support::ScratchDir("basename");
    const std::string program = dir + "/MYDOG.TXT";
    WriteBytes(program, kOriginal);
    ProgramDocument doc;
    doc.text = kOriginal;
    ASSERT_TRUE(ParseProgram(doc));
    CapturedMessages messages;
    EXPECT_TRUE(SaveProgram(program, doc, SystemFileOps(), messages));
    EXPECT_EQ(ReadBytes(dir + "/MYDOG.BAK"), kOriginal);
}

TEST(SaveProgram, AProgramNamedLikeABackupIsReplacedInOneStep) {
    const std::string dir = test_support::ScratchDir("bak");
    const std::string program = dir + "/DOG.BAK";
    const std::string saved = "HEAD\n  //{ \"a\"\n    WAIT\r\n  //}\nTAIL";
    for (int failAt = 1;; ++failAt) {
        WriteBytes(program, kOriginal);
        ProgramDocument doc;
        doc.text = kOriginal;
        ASSERT_TRUE(ParseProgram(doc));
        FailingFileOps files({failAt}, SystemFileOps());
        CapturedMessages messages;
        const bool ok = SaveProgram(program, doc, files, messages);
        SCOPED_TRACE(test_support::LogText(files.log));
        EXPECT_EQ(ReadBytes(program), ok ? saved : kOriginal);
        if (files.calls < failAt) {
            EXPECT_TRUE(ok);
            EXPECT_FALSE(FileExists(dir + "/DOG.$$$"));
            EXPECT_FALSE(FileExists(dir + "/DOG.$$B"));
            break;
        }
    }
}

// The invariant of a save, after any failing steps and any retry: the program
// as read stays under its own name until the new one replaces it whole, and
// the backup holds either the old backup or the program as read.
TEST(SaveProgram, AnyOneOrTwoFailingStepsLoseNothingAndARetrySaves) {
    Stick probe;
    FailingFileOps count({}, SystemFileOps());
    CapturedMessages quiet;
    ASSERT_TRUE(SaveProgram(probe.program, probe.doc, count, quiet));
    // Failures add clean-up steps: let those fail too.
    const int steps = count.calls + 2;
    for (const IoResult how : {IoResult::Failed, IoResult::Full}) {
        for (int first = 1; first <= steps; ++first) {
            for (int second = first; second <= steps; ++second) {
                Stick stick;
                FailingFileOps files({first, second}, SystemFileOps(), how);
                CapturedMessages messages;
                const bool saved = SaveProgram(stick.program, stick.doc, files, messages);
                SCOPED_TRACE(test_support::LogText(files.log));
                ASSERT_EQ(messages.shown.size(), 1u);
                EXPECT_EQ(ReadBytes(stick.program), saved ? kSaved : kOriginal);
                const std::string backup = ReadBytes(stick.backup);
                EXPECT_TRUE(backup == kOriginal || (!saved && backup == kOldBackup)) << backup;
                if (!saved) {
                    EXPECT_TRUE(messages.shown[0].starts_with(
                                    "ERROR: Can't create new R-CODE.R file\n" + stick.program) ||
                                messages.shown[0].starts_with(
                                    "ERROR: Can't write new R-CODE.R file\n" + stick.program))
                        << messages.shown[0];
                    CapturedMessages retry;
                    EXPECT_TRUE(SaveProgram(stick.program, stick.doc, SystemFileOps(), retry));
                }
                EXPECT_EQ(ReadBytes(stick.program), kSaved);
                EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
                EXPECT_TRUE(stick.NoTemporaryFiles());
            }
        }
    }
}

// The number of the step a clean save takes for this operation.
int StepOf(const std::string& operation) {
    Stick stick;
    FailingFileOps probe({}, SystemFileOps());
    CapturedMessages quiet;
    SaveProgram(stick.program, stick.doc, probe, quiet);
    return test_support::StepOf(probe.log, operation);
}

// What the owner is told, and what the stick then holds.
TEST(SaveProgram, SaysWhatAFailureLeftOnTheStick) {
    const std::string create = "ERROR: Can't create new R-CODE.R file\n";
    const std::string write = "ERROR: Can't write new R-CODE.R file\n";
    const std::string full = "\nThe memory stick is full.";
    const std::string copied =
        "\nThe program file was left as it was; the backup now holds a copy of it:\n";
    struct Case {
        std::string operation;
        IoResult how;
        std::string first;
        std::string more;  // after the program path; the backup's path follows `copied`
        bool backupReplaced;
    };
    const Case cases[] = {
        {"create R-CODE.$$B", IoResult::Failed, create, "", false},
        {"write R-CODE.$$B", IoResult::Full, write, full, false},
        {"flush R-CODE.$$B", IoResult::Failed, write, "", false},
        {"replace R-CODE.$$B R-CODE.BAK", IoResult::Failed, write, "", false},
        {"create R-CODE.$$$", IoResult::Failed, create, copied, true},
        {"write R-CODE.$$$", IoResult::Full, write, full + copied, true},
        {"close R-CODE.$$$", IoResult::Failed, write, copied, true},
        {"replace R-CODE.$$$ R-CODE.R", IoResult::Failed, write, copied, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        const int step = StepOf(c.operation);
        ASSERT_NE(step, 0);
        Stick stick;
        FailingFileOps files({step}, SystemFileOps(), c.how);
        CapturedMessages messages;
        EXPECT_FALSE(SaveProgram(stick.program, stick.doc, files, messages));
        const std::string expected =
            c.first + stick.program + c.more + (c.backupReplaced ? stick.backup : "");
        EXPECT_EQ(messages.shown, std::vector<std::string>{expected});
        EXPECT_EQ(ReadBytes(stick.program), kOriginal);
        EXPECT_EQ(ReadBytes(stick.backup), c.backupReplaced ? kOriginal : kOldBackup);
        EXPECT_TRUE(stick.NoTemporaryFiles());
    }
}

// With clusters of 16 bytes the program as read (30 bytes) and so the new
// backup take 32, the new program (51 bytes) 64, the old backup (10 bytes)
// 16. The backup is put in place first: it keeps what it takes beyond the
// old backup's room while the new program is written.
TEST(SaveProgram, StopsBeforeTouchingAnythingWhenTheStickIsFull) {
    const struct {
        const char* backup;  // nullptr: the stick has none yet
        std::uint64_t need;
    } cases[] = {
        {"old backup", 16 + 64},
        {nullptr, 32 + 64},
        {"an old backup of thirty bytes.", 64},
    };
    for (const auto& c : cases) {
        for (const std::uint64_t freeBytes : {c.need - 16, c.need}) {
            SCOPED_TRACE(std::string(c.backup ? c.backup : "no backup") + ", free " +
                         std::to_string(freeBytes));
            Stick stick;
            if (c.backup) {
                WriteBytes(stick.backup, c.backup);
            } else {
                std::filesystem::remove(stick.backup);
            }
            FailingFileOps files({}, SystemFileOps());
            files.room = Room{freeBytes, 16};
            CapturedMessages messages;
            if (freeBytes < c.need) {
                EXPECT_FALSE(SaveProgram(stick.program, stick.doc, files, messages));
                EXPECT_EQ(messages.shown,
                          std::vector<std::string>{"ERROR: Can't write new R-CODE.R file\n" +
                                                   stick.program + "\nThe memory stick is full."});
                EXPECT_EQ(ReadBytes(stick.program), kOriginal);
                EXPECT_EQ(FileExists(stick.backup), c.backup != nullptr);
                if (c.backup) {
                    EXPECT_EQ(ReadBytes(stick.backup), c.backup);
                }
                EXPECT_EQ(test_support::StepOf(files.log, "create R-CODE.$$B"), 0);
                EXPECT_TRUE(stick.NoTemporaryFiles());
            } else {
                EXPECT_TRUE(SaveProgram(stick.program, stick.doc, files, messages));
                EXPECT_EQ(ReadBytes(stick.program), kSaved);
            }
        }
    }
}

TEST(SaveProgram, LeavesReadOnlyFilesAsTheyAre) {
    for (const bool programReadOnly : {true, false}) {
        Stick stick;
        const std::string& locked = programReadOnly ? stick.program : stick.backup;
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
        CapturedMessages messages;
        EXPECT_FALSE(SaveProgram(stick.program, stick.doc, SystemFileOps(), messages));
        const std::string first = "ERROR: Can't create new R-CODE.R file\n" + stick.program;
        EXPECT_EQ(
            messages.shown,
            std::vector<std::string>{programReadOnly ? first + "\nThe file is read-only."
                                                     : first + "\nThe backup file is read-only:\n" +
                                                           stick.backup});
        EXPECT_EQ(ReadBytes(stick.program), kOriginal);
        EXPECT_EQ(ReadBytes(stick.backup), kOldBackup);
        EXPECT_TRUE(stick.NoTemporaryFiles());
    }
}

TEST(SaveProgram, RefusesADocumentThatWouldNotReadBack) {
    Stick stick;
    stick.doc.records[0].lines.AppendLine("//} end");
    CapturedMessages messages;
    EXPECT_FALSE(SaveProgram(stick.program, stick.doc, SystemFileOps(), messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{
                                  "ERROR: Can't save R-CODE.R file\nThe event \"a\" has a "
                                  "line beginning with //{, //} or //++\nNothing was written"});
    EXPECT_EQ(ReadBytes(stick.program), kOriginal);
    EXPECT_EQ(ReadBytes(stick.backup), kOldBackup);
    EXPECT_TRUE(stick.NoTemporaryFiles());
}

TEST(SaveProgram, ReportsAFolderThatCannotBeWritten) {
    Stick stick;
    const std::string missing = stick.dir + "/GONE/R-CODE.R";
    CapturedMessages messages;
    EXPECT_FALSE(SaveProgram(missing, stick.doc, SystemFileOps(), messages));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"ERROR: Can't create new R-CODE.R file\n" + missing});
}

TEST(ConfirmCancel, AsksOnlyWhenChanged) {
    const std::string question =
        "WARNING: you have made changes that will not be saved if you cancel\n"
        "Do you want to abandon changes (Yes to abandon, No to go back to editing)";
    for (const bool modified : {false, true}) {
        for (const bool answer : {false, true}) {
            ProgramDocument doc;
            doc.modified = modified;
            CapturedMessages messages;
            messages.answer = answer;
            EXPECT_EQ(ConfirmCancel(doc, messages), !modified || answer);
            EXPECT_EQ(messages.asked,
                      modified ? std::vector<std::string>{question} : std::vector<std::string>{});
        }
    }
}

}  // namespace
}  // namespace zolt
