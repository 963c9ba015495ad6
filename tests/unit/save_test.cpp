#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/document/program_document.h"
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
    void Notify(const std::string& text) override { shown.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
};

using FailingFileOps = test_support::FailingFileOps<FileOps, OutputFile>;

const std::string kOriginal = "HEAD\n  //{ \"a\"\nWAIT\n  //}\nTAIL";
const std::string kSaved = "HEAD\n  //{ \"a\"\n    WAIT\r\n    SET Warn 1\r\n  //}\nTAIL";
const std::string kOldBackup = "old backup";

struct Stick {
    std::string dir = test_support::ScratchDir("save");
    std::string program = dir + "/R-CODE.R";
    std::string backup = dir + "/R-CODE.BAK";
    std::string temp = dir + "/R-CODE.$$$";
    ProgramDocument doc;

    Stick() {
        WriteBytes(program, kOriginal);
        WriteBytes(backup, kOldBackup);
        doc.text = kOriginal;
        EXPECT_TRUE(ParseProgram(doc));
        doc.records[0].lines.AppendLine("SET Warn 1");
        doc.modified = true;
    }
};

TEST(SaveProgram, KeepsTheOldFileAsBackup) {
    Stick stick;
    CapturedMessages messages;
    EXPECT_TRUE(SaveProgram(stick.program, stick.doc, SystemFileOps(), messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Changes saved!"});
    EXPECT_EQ(ReadBytes(stick.program), kSaved);
    EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
    EXPECT_FALSE(FileExists(stick.temp));
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

TEST(SaveProgram, AProgramNamedLikeABackupIsReplacedSafely) {
    const std::string dir = test_support::ScratchDir("bak");
    const std::string program = dir + "/DOG.BAK";
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE("failing file operation " + std::to_string(failAt));
        WriteBytes(program, kOriginal);
        ProgramDocument doc;
        doc.text = kOriginal;
        ASSERT_TRUE(ParseProgram(doc));
        FailingFileOps files(failAt, SystemFileOps());
        CapturedMessages messages;
        const bool saved = SaveProgram(program, doc, files, messages);
        const bool done = files.calls < failAt;
        if (saved) {
            EXPECT_EQ(ReadBytes(program), "HEAD\n  //{ \"a\"\n    WAIT\r\n  //}\nTAIL");
        } else {
            EXPECT_TRUE(ReadBytes(program) == kOriginal ||
                        ReadBytes(dir + "/DOG.$$O") == kOriginal);
        }
        if (done) {
            EXPECT_TRUE(saved);
            EXPECT_FALSE(FileExists(dir + "/DOG.$$O"));
            EXPECT_FALSE(FileExists(dir + "/DOG.$$$"));
            break;
        }
    }
}

TEST(SaveProgram, EveryFailedStepLeavesTheOriginalOnDisk) {
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE("failing file operation " + std::to_string(failAt));
        Stick stick;
        FailingFileOps files(failAt, SystemFileOps());
        CapturedMessages messages;
        const bool saved = SaveProgram(stick.program, stick.doc, files, messages);
        if (files.calls < failAt) {
            // Every operation has had its turn to fail.
            EXPECT_TRUE(saved);
            EXPECT_GE(failAt, 9);
            break;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        if (saved) {
            // Only clearing away a leftover may fail without failing the save.
            EXPECT_EQ(messages.shown[0], "Changes saved!");
            EXPECT_EQ(ReadBytes(stick.program), kSaved);
            EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
            continue;
        }
        const std::string path = stick.program;
        EXPECT_TRUE(messages.shown[0] == "ERROR: Can't create new R-CODE.R file\n" + path ||
                    messages.shown[0] == "ERROR: Can't write new R-CODE.R file\n" + path)
            << messages.shown[0];
        auto holds = [](const std::string& file, const std::string& bytes) {
            return FileExists(file) && ReadBytes(file) == bytes;
        };
        // The program's bytes are under its own name or the backup's, the old
        // backup's under its name or aside, and the program file is never a
        // part of the new one.
        EXPECT_TRUE(holds(stick.program, kOriginal) || holds(stick.backup, kOriginal));
        EXPECT_TRUE(holds(stick.backup, kOldBackup) ||
                    holds(stick.dir + "/R-CODE.$$O", kOldBackup));
        EXPECT_TRUE(!FileExists(stick.program) || ReadBytes(stick.program) == kOriginal);

        // A retry is as safe as the first try.
        CapturedMessages retry;
        EXPECT_TRUE(SaveProgram(stick.program, stick.doc, SystemFileOps(), retry));
        EXPECT_EQ(ReadBytes(stick.program), kSaved);
        EXPECT_EQ(ReadBytes(stick.backup), kOriginal);
        EXPECT_FALSE(FileExists(stick.temp));
        EXPECT_FALSE(FileExists(stick.dir + "/R-CODE.$$O"));
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
    EXPECT_FALSE(FileExists(stick.temp));
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
