#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/document/edit_history.h"
#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"

namespace zolt {
namespace {

std::vector<std::string> Lines(const LineList& list) {
    return {list.begin(), list.end()};
}

LineList Abc() {
    LineList list;
    for (const char* text : {"A", "B", "C"}) {
        list.AppendLine(text);
    }
    return list;
}

TEST(LineList, MoveLineFollowsTheIndexRules) {
    const struct {
        int from, to;
        bool ok;
        std::vector<std::string> after;
    } cases[] = {
        {2, 0, true, {"C", "A", "B"}},   {0, 2, true, {"B", "A", "C"}},
        {0, 3, true, {"B", "C", "A"}},   {1, 1, true, {"A", "B", "C"}},
        {1, 2, true, {"A", "B", "C"}},   {2, 1, true, {"A", "C", "B"}},
        {1, 0, true, {"B", "A", "C"}},   {0, 4, false, {"A", "B", "C"}},
        {3, 0, false, {"A", "B", "C"}},  {-1, 0, false, {"A", "B", "C"}},
        {0, -1, false, {"A", "B", "C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        LineList list = Abc();
        EXPECT_EQ(list.MoveLine(c.from, c.to), c.ok);
        EXPECT_EQ(Lines(list), c.after);
    }
}

TEST(LineList, AppendCodeTextSplitsAtTheSeparator) {
    const struct {
        std::string codeText;
        std::vector<std::string> added;
    } cases[] = {
        {"PLAY ACTION SIT\xFFWAIT", {"PLAY ACTION SIT", "WAIT"}},
        {"WAIT\xFF", {"WAIT"}},
        {"A\xFF\xFF"
         "B",
         {"A", "", "B"}},
        {"", {}},
        {"\xFF", {""}},
        {"  WAIT 50 // kill time", {"  WAIT 50 // kill time"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codeText);
        LineList list;
        list.AppendLine("FIRST");
        list.AppendCodeText(c.codeText);
        std::vector<std::string> expected{"FIRST"};
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(Lines(list), expected);
    }
}

TEST(LineList, RemoveLineTakesOnlyExistingLines) {
    LineList list = Abc();
    EXPECT_FALSE(list.RemoveLine(3));
    EXPECT_FALSE(list.RemoveLine(-1));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(list.RemoveLine(1));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "C"}));
    list.ClearLines();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.RemoveLine(0));
}

TEST(ClearDocument, ForgetsRecordsAndText) {
    ProgramDocument doc;
    doc.text = "//{ \"a\"\nWAIT\n//}\n//++X\n";
    ASSERT_TRUE(ParseProgram(doc));
    doc.modified = true;
    ClearDocument(doc);
    EXPECT_EQ(doc.RecordCount(), 0);
    EXPECT_TRUE(doc.text.empty());
    EXPECT_TRUE(doc.subroutines.Empty());
}

// Two records; each step is done, undone or redone, and both records are
// read back after it as "A B C|X".
TEST(EditHistory, UndoesAndRedoesAcrossRecords) {
    ProgramDocument doc;
    doc.text = "//{ \"one\"\nA\nB\nC\n//}\n//{ \"two\"\nX\n//}\n";
    ASSERT_TRUE(ParseProgram(doc));
    EditHistory history;
    auto state = [&doc] {
        std::string text;
        for (const ZoltRecord& record : doc.records) {
            for (const std::string_view line : record.lines) {
                text += std::string(line) + " ";
            }
            text += "|";
        }
        return text;
    };
    const struct {
        const char* step;
        std::optional<LineChange> change;  // empty: "undo" or "redo"
        bool acts;
        int record, line;  // where the eye goes
        const char* after;
    } steps[] = {
        {"append", LineChange::Append(0, "D\xFFWAIT"), true, 0, 4, "A B C D WAIT |X |"},
        {"move C first", LineChange::Move(0, 2, 0), true, 0, 0, "C A B D WAIT |X |"},
        {"remove X", LineChange::Remove(1, 0), true, 1, -1, "C A B D WAIT ||"},
        {"undo", {}, true, 1, 0, "C A B D WAIT |X |"},
        {"undo", {}, true, 0, 2, "A B C D WAIT |X |"},
        {"redo", {}, true, 0, 0, "C A B D WAIT |X |"},
        {"undo", {}, true, 0, 2, "A B C D WAIT |X |"},
        {"undo", {}, true, 0, -1, "A B C |X |"},
        {"undo with nothing done", {}, false, 0, 0, "A B C |X |"},
        {"redo", {}, true, 0, 4, "A B C D WAIT |X |"},
        {"a move that moves nothing", LineChange::Move(0, 1, 2), false, 0, 0, "A B C D WAIT |X |"},
        {"a new change drops the redo", LineChange::Move(0, 0, 5), true, 0, 4, "B C D WAIT A |X |"},
        {"redo with nothing undone", {}, false, 0, 0, "B C D WAIT A |X |"},
        {"remove a line that is not there", LineChange::Remove(1, 3), false, 0, 0,
         "B C D WAIT A |X |"},
        {"replace C", LineChange::Replace(0, 1, "C2"), true, 0, 1, "B C2 D WAIT A |X |"},
        {"replace with the same text", LineChange::Replace(0, 1, "C2"), false, 0, 0,
         "B C2 D WAIT A |X |"},
        {"insert two", LineChange::Insert(0, 1, {"N1", "N2"}), true, 0, 1,
         "B N1 N2 C2 D WAIT A |X |"},
        {"remove three", LineChange::RemoveMany(0, {0, 2, 4}), true, 0, -1, "N1 C2 WAIT A |X |"},
        {"remove out of order", LineChange::RemoveMany(0, {2, 1}), false, 0, 0,
         "N1 C2 WAIT A |X |"},
        {"move a block down", LineChange::MoveBlock(0, 1, 2, 4), true, 0, 2, "N1 A C2 WAIT |X |"},
        {"move a block onto itself", LineChange::MoveBlock(0, 2, 2, 3), false, 0, 0,
         "N1 A C2 WAIT |X |"},
        {"move a block up", LineChange::MoveBlock(0, 2, 2, 0), true, 0, 0, "C2 WAIT N1 A |X |"},
        {"undo", {}, true, 0, 2, "N1 A C2 WAIT |X |"},
        {"undo", {}, true, 0, 1, "N1 C2 WAIT A |X |"},
        {"undo", {}, true, 0, 0, "B N1 N2 C2 D WAIT A |X |"},
        {"undo", {}, true, 0, -1, "B C2 D WAIT A |X |"},
        {"undo", {}, true, 0, 1, "B C D WAIT A |X |"},
        {"redo", {}, true, 0, 1, "B C2 D WAIT A |X |"},
        {"gather two at the end", LineChange::MoveMany(0, {0, 2}, 5), true, 0, 3,
         "C2 WAIT A B D |X |"},
        {"gather two around a line", LineChange::MoveMany(0, {0, 2}, 1), true, 0, 0,
         "C2 A WAIT B D |X |"},
        {"gather lines already together", LineChange::MoveMany(0, {0, 1}, 2), false, 0, 0,
         "C2 A WAIT B D |X |"},
        {"undo", {}, true, 0, 0, "C2 WAIT A B D |X |"},
        {"undo", {}, true, 0, 0, "B C2 D WAIT A |X |"},
        {"redo", {}, true, 0, 3, "C2 WAIT A B D |X |"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        std::optional<Touched> touched;
        if (s.change) {
            touched = history.Apply(doc, *s.change);
        } else if (std::string(s.step).starts_with("undo")) {
            touched = history.Undo(doc);
        } else {
            touched = history.Redo(doc);
        }
        ASSERT_EQ(touched.has_value(), s.acts);
        if (touched) {
            EXPECT_EQ(touched->record, s.record);
            EXPECT_EQ(touched->line, s.line);
        }
        EXPECT_EQ(state(), s.after);
    }
}

TEST(EditHistory, HoldsTheLastThousandChanges) {
    ProgramDocument doc;
    doc.text = "//{ \"e\"\nA\nB\n//}\n";
    ASSERT_TRUE(ParseProgram(doc));
    EditHistory history;
    // 1,001 swaps: B A, A B, ..., B A.
    for (int i = 0; i < 1001; ++i) {
        ASSERT_TRUE(history.Apply(doc, LineChange::Move(0, 1, 0)));
    }
    EXPECT_EQ(Lines(doc.records[0].lines), (std::vector<std::string>{"B", "A"}));
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(history.Undo(doc));
    }
    // The first swap is beyond the history: it stays.
    EXPECT_FALSE(history.Undo(doc));
    EXPECT_EQ(Lines(doc.records[0].lines), (std::vector<std::string>{"B", "A"}));
}

}  // namespace
}  // namespace zolt
