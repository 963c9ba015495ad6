#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/program_document.h"

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

}  // namespace
}  // namespace zolt
