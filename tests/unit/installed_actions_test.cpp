#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/catalog/installed_actions.h"
#include "editor/catalog/palette.h"
#include "unit/test_support.h"

namespace zolt {
namespace {

using test_support::WriteBytes;
using namespace std::string_literals;

struct CapturedMessages : MessageSink {
    std::vector<std::string> shown;
    void Notify(const Message& message) override { shown.push_back(EnglishText(message)); }
    bool AskYesNo(const Message&) override { return false; }
};

// A palette item written as "kind|shown|code", the code's separators as '~'.
std::vector<std::string> Rows(const Palette& palette) {
    std::vector<std::string> rows;
    for (const PaletteItem& item : palette) {
        std::string code = item.codeText;
        for (char& c : code) {
            if (c == kLineSeparator) {
                c = '~';
            }
        }
        rows.push_back(std::to_string(item.kind) + "|" + item.shownText + "|" + code);
    }
    return rows;
}

struct Folder {
    std::string dir = test_support::ScratchDir("actions");
    std::string program = dir + "/R-CODE.R";
    std::string cfg = dir + "/ACTION.CFG";
    std::string ext = dir + "/ACTION.EXT";
};

std::vector<std::string> Loaded(const std::string& path, std::string_view command,
                                const NameFilter& filter) {
    Palette palette;
    LoadInstalledActions(palette, path, command, filter);
    return Rows(palette);
}

TEST(LoadInstalledActions, AcceptsOnlyLinesThatPassEveryField) {
    Folder folder;
    const std::string text =
        "DANCE 1 0\n"
        "DANCE 1 0 ; my dance\n"
        "  SPIN\t2\t0\t ;;; ;spin around ; twice  \n"
        "SONG_NOWAIT 5 0\n"
        "A_NOWAIT_B 5 0 ; middle\n"
        "WORD 1 zero\n"
        "-HIDDEN 1 0\n"
        "ZERO 0 0\n"
        "NEGATIVE -1 0\n"
        "WORDSIZE big 0\n"
        "SIGNED +3 -0\n"
        "ONE 1 1\n"
        "TWO_FIELDS 1\n"
        "ALONE\n"
        "\n"
        "; comment line\n"
        "LAST 7 0x ;x\n"
        "NUL 1 0 ; before\0after\n"
        "\0HIDDEN 1 0\n"s;
    const std::vector<std::string> expected = {
        "3|DANCE|PLAY ACTION+ DANCE~WAIT",
        "3|DANCE|PLAY ACTION+ DANCE // my dance~WAIT",
        "3|SPIN|PLAY ACTION+ SPIN // spin around ; twice  ~WAIT",
        "3|SONG_NOWAIT|PLAY ACTION+ SONG_NOWAIT",
        "3|A_NOWAIT_B|PLAY ACTION+ A_NOWAIT_B // middle",
        "3|WORD|PLAY ACTION+ WORD~WAIT",
        "3|SIGNED|PLAY ACTION+ SIGNED~WAIT",
        "3|LAST|PLAY ACTION+ LAST // x~WAIT",
        "3|NUL|PLAY ACTION+ NUL // before~WAIT",
    };
    WriteBytes(folder.cfg, text);
    EXPECT_EQ(Loaded(folder.cfg, "ACTION+", {}), expected);
    // Text mode: CR LF reads as LF.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    WriteBytes(folder.cfg, crlf);
    EXPECT_EQ(Loaded(folder.cfg, "ACTION+", {}), expected);
}

TEST(LoadInstalledActions, RefusesWhatCannotBeAnActionList) {
    Folder folder;
    // A FIFO would wait for a writer forever: it is not opened at all.
    ::mkfifo(folder.ext.c_str(), 0644);
    Palette fifo;
    EXPECT_EQ(LoadInstalledActions(fifo, folder.ext, "ACTION", {}), LoadResult::NothingAdded);

    WriteBytes(folder.cfg, "DANCE 1 0\n");
    std::filesystem::resize_file(folder.cfg, (64u << 20) + 1);
    Palette palette;
    EXPECT_EQ(LoadInstalledActions(palette, folder.cfg, "ACTION+", {}), LoadResult::TooLarge);
    EXPECT_TRUE(palette.empty());
    CapturedMessages messages;
    RefillPalette(palette, kCategoryUserActions, ProgramDocument{}, folder.program, messages);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{
                  "ERROR: This action list is too large to be read (over 64 MB)\n" + folder.cfg});
}

TEST(LoadInstalledActions, ReadsALongLineInPieces) {
    Folder folder;
    // 255 characters, then the rest of the same line as a line of its own.
    const std::string first = "LONG 1 0 ; " + std::string(244, 'c');
    ASSERT_EQ(first.size(), 255u);
    WriteBytes(folder.cfg, first + "NEXT 1 0 ; tail\nAFTER 1 0\n");
    // The first piece would make a code text longer than 255 characters: it
    // is left out rather than cut.
    EXPECT_EQ(Loaded(folder.cfg, "ACTION+", {}),
              (std::vector<std::string>{"3|NEXT|PLAY ACTION+ NEXT // tail~WAIT",
                                        "3|AFTER|PLAY ACTION+ AFTER~WAIT"}));
}

TEST(LoadInstalledActions, KeepsLongNamesWholeInTheCode) {
    Folder folder;
    const std::string name(70, 'N');
    WriteBytes(folder.cfg, name + " 1 0\n");
    EXPECT_EQ(
        Loaded(folder.cfg, "ACTION+", {}),
        std::vector<std::string>{"3|" + name.substr(0, 63) + "|PLAY ACTION+ " + name + "~WAIT"});
}

TEST(LoadInstalledActions, SortsSystemActionsIntoCategories) {
    Folder folder;
    WriteBytes(folder.ext,
               "ERS-210 1 0 ; tag line\r\n"
               "FOLLOW_BALL 1 0\r\n"
               "FOLLOWBALL 1 0\r\n"
               "SEARCH_BALL 1 0\r\n"
               "CONTACT_HEAD 1 0\r\n"
               "ALONE_ 1 0\r\n"
               "ALONE_DANCE 1 0\r\n"
               "alone_lower 1 0\r\n"
               "OFFICE 1 0\r\n"
               "OFF_POUNCE 1 0\r\n");
    const struct {
        NameFilter filter;
        std::vector<std::string> rows;
    } cases[] = {
        {{NameFilter::Kind::Category, "FOLLOW"}, {"2|BALL|PLAY ACTION FOLLOW_BALL~WAIT"}},
        {{NameFilter::Kind::Category, "SEARCH"}, {"1|BALL|PLAY ACTION SEARCH_BALL~WAIT"}},
        {{NameFilter::Kind::Category, "CONTACT"}, {"2|HEAD|PLAY ACTION CONTACT_HEAD~WAIT"}},
        {{NameFilter::Kind::Category, "ALONE"},
         {"2||PLAY ACTION ALONE_~WAIT", "2|DANCE|PLAY ACTION ALONE_DANCE~WAIT"}},
        {{NameFilter::Kind::Category, "OFF"}, {"2|POUNCE|PLAY ACTION OFF_POUNCE~WAIT"}},
        {{NameFilter::Kind::Category, "GUARD"}, {}},
        {{NameFilter::Kind::Other, {}},
         {"2|ERS-210|PLAY ACTION ERS-210 // tag line~WAIT",
          "2|FOLLOWBALL|PLAY ACTION FOLLOWBALL~WAIT", "2|alone_lower|PLAY ACTION alone_lower~WAIT",
          "2|OFFICE|PLAY ACTION OFFICE~WAIT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter.categoryWord));
        EXPECT_EQ(Loaded(folder.ext, "ACTION", c.filter), c.rows);
    }
}

TEST(RefillPalette, FillsEachKindOfCategory) {
    Folder folder;
    ProgramDocument doc;
    doc.subroutines.AppendLine(" CALL MySub // Greets the owner");
    WriteBytes(folder.ext, "ERS-210\nHUMAN_PAW 1 0\nBARK 1 0\n");
    CapturedMessages messages;
    Palette palette;

    RefillPalette(palette, kCategoryUserActions, doc, folder.program, messages);
    EXPECT_TRUE(palette.empty());
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"This RCODE stick does not contain any USER actions"});

    WriteBytes(folder.cfg, "; nothing acceptable\nX 0 0\n");
    RefillPalette(palette, kCategoryUserActions, doc, folder.program, messages);
    EXPECT_EQ(messages.shown.size(), 2u);

    messages.shown.clear();
    RefillPalette(palette, 4, doc, folder.program, messages);
    EXPECT_EQ(Rows(palette), std::vector<std::string>{"2|PAW|PLAY ACTION HUMAN_PAW~WAIT"});
    RefillPalette(palette, kCategoryOtherSystem, doc, folder.program, messages);
    EXPECT_EQ(Rows(palette), std::vector<std::string>{"2|BARK|PLAY ACTION BARK~WAIT"});
    RefillPalette(palette, 5, doc, folder.program, messages);
    EXPECT_TRUE(palette.empty());
    EXPECT_TRUE(messages.shown.empty());

    RefillPalette(palette, kCategorySubroutines, doc, folder.program, messages);
    ASSERT_EQ(palette.size(), 7u);
    EXPECT_EQ(Rows(palette).back(), "6|Greets the owner| CALL MySub // Greets the owner");
    doc.subroutines.ClearLines();
    RefillPalette(palette, kCategorySubroutines, doc, folder.program, messages);
    EXPECT_EQ(palette.size(), 6u);

    RefillPalette(palette, kCategoryStandard, doc, folder.program, messages);
    EXPECT_EQ(palette.size(), 17u);
    RefillPalette(palette, kCategoryLeds, doc, folder.program, messages);
    EXPECT_EQ(palette.size(), 8u);
    for (int none : {-1, 24}) {
        RefillPalette(palette, none, doc, folder.program, messages);
        EXPECT_TRUE(palette.empty());
    }
}

}  // namespace
}  // namespace zolt
