#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/catalog/builtin_tables.h"
#include "editor/catalog/code_kinds.h"
#include "editor/catalog/palette.h"

namespace zolt {
namespace {

int LineCount(std::string_view codeText) {
    LineList lines;
    lines.AppendCodeText(codeText);
    return lines.Count();
}

TEST(ClassifyCodeLine, TestsThePrefixesInOrder) {
    const struct {
        const char* text;
        int kind;
    } cases[] = {
        {"WAIT", 0},
        {"WAIT 2000 // Wait 2 seconds", 0},
        {"WAITING", 0},
        {"  WAIT 50 // kill time", 6},
        {"wait", 6},
        {"PLAY ACTION TURN 90", 1},
        {"PLAY ACTION TURNAROUND", 1},
        {"PLAY ACTION STOP_WALK", 1},
        {"PLAY ACTION STOP  // Stop playing", 2},
        {"PLAY ACTION STOP_WAL", 2},
        {"PLAY ACTION SEARCH_BALL", 1},
        {"PLAY ACTION CONTACT_HEAD", 2},
        {"PLAY ACTION CONTACT.HEAD", 1},
        {"PLAY ACTION PALONE", 2},
        {"PLAY ACTION MOVE.HEAD.UP", 1},
        {"PLAY ACTION ", 2},
        {"PLAY ACTION", 6},
        {"PLAY  ACTION SIT", 6},
        {"play action SIT", 6},
        {"PLAY ACTION+ DANCE", 3},
        {"PLAY ACTION+DANCE", 6},
        {"SET Head_ON 0", 6},
        {"SET Head", 6},
        {"SET Spot 1", 4},
        {"SET Hea", 4},
        {"SET", 6},
        {"CALL RCR_TakeAPicture", 5},
        {"PUSH 1", 5},
        {"CALL", 6},
        {"PUSH", 6},
        {"// comment", 6},
        {"WHILE Head_ON == 0", 6},
        {"", 6},
        {"PLAY ACTION WALK 0 100\xFFWAIT", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ClassifyCodeLine(c.text), c.kind);
    }
}

TEST(ComposeInstalledAction, AddsCommentAndWait) {
    const struct {
        const char* command;
        const char* name;
        const char* comment;
        std::string code;
    } cases[] = {
        {"ACTION+", "DANCE", "my dance", "PLAY ACTION+ DANCE // my dance\xFFWAIT"},
        {"ACTION+", "DANCE", "", "PLAY ACTION+ DANCE\xFFWAIT"},
        {"ACTION+", "DANCE_NOWAIT", "", "PLAY ACTION+ DANCE_NOWAIT"},
        {"ACTION", "A_NOWAIT_B", "x", "PLAY ACTION A_NOWAIT_B // x"},
        {"ACTION", "A_nowait", "", "PLAY ACTION A_nowait\xFFWAIT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeInstalledAction(c.command, c.name, c.comment), c.code);
    }
}

TEST(HintText, StartsAfterTheFirstSlashesAndEndsWithTheLine) {
    const struct {
        std::string code;
        std::string hint;
    } cases[] = {
        {"PLAY ACTION TURN 90 // Turn Left\xFFWAIT", " Turn Left"},
        {"PLAY ACTION SIT\xFFWAIT", "PLAY ACTION SIT"},
        {"A\xFF"
         "B // second\xFF"
         "C",
         " second"},
        {"A // x // y", " x // y"},
        {"CALL X//", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(HintText(c.code), c.hint);
    }
}

struct Row {
    const char* shown;
    int kind;
    int lines;
};

void ExpectTable(std::span<const CatalogEntry> table, const std::vector<Row>& rows) {
    ASSERT_EQ(table.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].shown);
        EXPECT_EQ(table[i].shownText, rows[i].shown);
        EXPECT_EQ(ClassifyCodeLine(table[i].codeText), rows[i].kind);
        EXPECT_EQ(LineCount(table[i].codeText), rows[i].lines);
        EXPECT_LE(table[i].codeText.size(), 87u);
    }
}

TEST(BuiltinTables, HoldTheirEntriesInOrder) {
    ExpectTable(StandardActions(), {{"Sit Down", 2, 2},
                                    {"Stand Up", 2, 2},
                                    {"Lie Down", 2, 2},
                                    {"Turn Left", 1, 2},
                                    {"Turn Right", 1, 2},
                                    {"Turn Around", 1, 2},
                                    {"Kick Left", 1, 2},
                                    {"Kick Right", 1, 2},
                                    {"Walk .1 metre", 1, 2},
                                    {"Walk .5 metre", 1, 2},
                                    {"Walk 1 inches", 1, 2},
                                    {"Wait 1/4 sec", 0, 1},
                                    {"Wait 1/2 sec", 0, 1},
                                    {"Wait 1 sec", 0, 1},
                                    {"Wait 2 sec", 0, 1},
                                    {"WAIT to finish", 0, 1},
                                    {"Stop playing", 2, 1}});
    ExpectTable(LedActions(), {{"Spotlight on (220)", 4, 1},
                               {"Spotlight off (220)", 4, 1},
                               {"Face LEDs on (2x0)", 4, 6},
                               {"Face LEDs off (2x0)", 4, 6},
                               {"Horn LEDs on (31x)", 4, 3},
                               {"Horn LEDs off (31x)", 4, 3},
                               {"Warning LED on (all)", 4, 1},
                               {"Warning LED off (all)", 4, 1}});
    ExpectTable(SubroutineActions(), {{"Take a picture", 5, 1},
                                      {"Record dogs name", 5, 1},
                                      {"Say dogs name", 5, 1},
                                      {"Record owners name", 5, 1},
                                      {"Say owners name", 5, 1},
                                      {"Wait until head pressed", 6, 5}});
    EXPECT_EQ(StandardActions()[16].codeText, "PLAY ACTION STOP  // Stop playing");
    EXPECT_EQ(SubroutineActions()[5].codeText,
              "// Wait until head pressed\xFFSET Head_ON 0\xFFWHILE Head_ON == 0\xFF  WAIT 50 // "
              "kill time\xFFWEND");
}

TEST(SubroutineShownText, ShowsTheTailAfterTheLastSlash) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"CALL MySub // Greets the owner", "Greets the owner"},
        {" CALL MySub", "CALL MySub"},
        {"CALL MySub //", "CALL MySub //"},
        {"CALL MySub //   ", "   "},
        {"a/b/c", "c"},
        {"\tCALL X", "\tCALL X"},
        {"// \tx", "\tx"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SubroutineShownText(c.text), c.shown);
    }
}

}  // namespace
}  // namespace zolt
