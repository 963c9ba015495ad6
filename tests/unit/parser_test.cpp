#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/pre_clause.h"
#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"
#include "editor/document/text_file.h"
#include "unit/test_support.h"

namespace zolt {
namespace {

ProgramDocument Parsed(const std::string& text, bool expectOk = true) {
    ProgramDocument doc;
    doc.text = text;
    const ParseResult result = ParseProgram(doc);
    EXPECT_EQ(result.Ok(), expectOk)
        << EnglishText(MakeMessage(result.reason)) << " line " << result.lineNumber;
    return doc;
}

std::vector<std::string> Lines(const LineList& list) {
    return {list.begin(), list.end()};
}

std::string Records(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "//{ \"e" + std::to_string(i) + "\"\n//}\n";
    }
    return text;
}

struct FailureCase {
    const char* what;
    std::string text;
    const char* message;
    int line;
};

TEST(ParseProgram, ReportsEachFailureWithItsLine) {
    const std::string x255(255, 'x');
    const FailureCase cases[] = {
        {"256 characters", "WAIT\n" + x255 + "x\nWAIT\n", "Line too long", 2},
        {"256 characters, last line", x255 + "x", "Line too long", 1},
        {"CR LF does not count, a lone CR does", x255 + "\r\r\n", "Line too long", 1},
        {"no blank", "//{\"a\"\n//}\n", "ZOLT quoted string must be exact syntax", 1},
        {"two blanks", "//{  \"a\"\n//}\n", "ZOLT quoted string must be exact syntax", 1},
        {"line ends after //{", "A\n  //{", "ZOLT quoted string must be exact syntax", 2},
        {"no closing quote", "//{ \"abc\n//}\n", "ZOLT must have quoted string", 1},
        {"nesting", "//{ \"a\"\nWAIT\n//{ \"b\"\n//}\n", "Missing //} - nesting not allowed", 3},
        {"syntax before nesting", "//{ \"a\"\n//{\"b\"\n",
         "ZOLT quoted string must be exact syntax", 2},
        {"201st record", Records(200) + "//{ \"x\"\n//}\n", "Too many ZOLT records", 401},
        {"tag word", "//{ \"a\" POST\n//}\n", "Unsupported TAG option/effect", 1},
        {"lower-case pre", "//{ \"a\" pre\n//}\n", "Unsupported TAG option/effect", 1},
        {"closing without opening", "WAIT\n  //} done\n", "missing starting //{ for ending //}", 2},
        {"open at the end", "//{ \"a\"\nWAIT\n", "missing //} for last ZOLT", -1},
        {"PRE without body", "//{ \"a\" PRE\n//}\n", "bad PRE clause - should not be empty", 2},
        {"PRE body only a subroutine", "//{ \"a\" PRE\n//++CALL X\n//}\n",
         "bad PRE clause - should not be empty", 3},
        {"PRE active line alone", "//{ \"a\" PRE\nIF A THEN //[PRE]\n//}\n",
         "bad PRE clause - only line should be special PRE", 3},
        {"PRE comment then lines", "//{ \"a\" PRE\n//[PRE]: IF A\nWAIT\n//}\n",
         "bad PRE clause - first line should not be comment", 4},
        {"PRE unmarked", "//{ \"a\" PRE\nIF A THEN\nWAIT\n//}\n",
         "bad PRE clause - first line should end in //[PRE]", 4},
        {"PRE marker then blank", "//{ \"a\" PRE\nIF A //[PRE] \nWAIT\n//}\n",
         "bad PRE clause - first line should end in //[PRE]", 4},
        {"PRE marker without blank", "//{ \"a\" PRE\nIF A//[PRE]\nWAIT\n//}\n",
         "bad PRE clause - first line should end in //[PRE]", 4},
        {"PRE marker alone", "//{ \"a\" PRE\n //[PRE]\nWAIT\n//}\n",
         "bad PRE clause - first line should not be comment", 4},
        {"PRE only the marker with blank", "//{ \"a\" PRE\nX//[PRE]\nWAIT\n//}\n",
         "bad PRE clause - first line should end in //[PRE]", 4},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramDocument doc;
        doc.text = c.text;
        const ParseResult result = ParseProgram(doc);
        EXPECT_FALSE(result);
        EXPECT_EQ(EnglishText(MakeMessage(result.reason)), c.message);
        EXPECT_EQ(result.lineNumber, c.line);
    }
}

TEST(ParseProgram, AcceptsTheLongestLinesAndTwoHundredRecords) {
    const std::string x255(255, 'x');
    Parsed(x255);
    Parsed(x255 + "\r\n" + x255 + "\n");
    ProgramDocument doc;
    doc.text = Records(200);
    const ParseResult result = ParseProgram(doc);
    EXPECT_TRUE(result);
    EXPECT_EQ(doc.RecordCount(), 200);
    EXPECT_EQ(result.lineNumber, 400);
}

TEST(ParseProgram, FileWithoutRecordsParses) {
    const ProgramDocument doc = Parsed("WAIT\nPLAY ACTION SIT\n//++CALL A\n");
    EXPECT_EQ(doc.RecordCount(), 0);
    EXPECT_EQ(Lines(doc.subroutines), std::vector<std::string>{"CALL A"});
}

TEST(ParseProgram, ReadsRecordsWithTheirNamesIndentsAndTrimmedLines) {
    const std::string text =
        "HEAD\r\n"
        " \t//{ \"Touch/Head\"  \r\n"
        "    PLAY ACTION SIT  \r\n"
        "\tWAIT\rX\n"
        "\r\n"
        "    // comment\n"
        "   //++ CALL Sub // greets\n"
        " \t//} anything here\n"
        "//{ \"\"\n"
        "//}";
    const ProgramDocument doc = Parsed(text);
    ASSERT_EQ(doc.RecordCount(), 2);
    const ZoltRecord& a = doc.records[0];
    EXPECT_EQ(a.name, "Touch/Head");
    EXPECT_EQ(a.indent, " \t");
    EXPECT_EQ(a.options, 0u);
    EXPECT_FALSE(a.preText.has_value());
    EXPECT_EQ(Lines(a.lines),
              (std::vector<std::string>{"PLAY ACTION SIT  ", "WAIT\rX", "", "// comment"}));
    EXPECT_EQ(a.bodyStart, 28);
    EXPECT_EQ(text.substr(static_cast<std::size_t>(a.bodyStart + a.bodyLength), 5), " \t//}");
    const ZoltRecord& b = doc.records[1];
    EXPECT_EQ(b.name, "");
    EXPECT_EQ(b.bodyLength, 0);
    EXPECT_EQ(Lines(b.lines), std::vector<std::string>{});
    EXPECT_EQ(Lines(doc.subroutines), std::vector<std::string>{" CALL Sub // greets"});
}

TEST(ParseProgram, TakesPreClausesInBothForms) {
    const ProgramDocument doc = Parsed(
        "//{ \"active\" PRE\n"
        "   IF Back_ON == 1 THEN   //[PRE]\n"
        "WAIT\n"
        "//}\n"
        "//{ \"comment\"PRE PRE \n"
        "//++CALL X\n"
        "  //[PRE]: IF Chin_ON == 1\n"
        "//}\n"
        "//{ \"shortest\" PRE\n"
        "X //[PRE]\n"
        "WAIT\n"
        "//}\n"
        "//{ \"no option\"\n"
        "A //[PRE]\n"
        "//[PRE]: B\n"
        "//}\n");
    ASSERT_EQ(doc.RecordCount(), 4);
    EXPECT_EQ(doc.records[0].preText, "IF Back_ON == 1 THEN  ");
    EXPECT_EQ(Lines(doc.records[0].lines), std::vector<std::string>{"WAIT"});
    EXPECT_EQ(doc.records[1].options, kPreOption);
    EXPECT_EQ(doc.records[1].preText, "IF Chin_ON == 1");
    EXPECT_TRUE(doc.records[1].lines.Empty());
    EXPECT_EQ(doc.records[2].preText, "X");
    EXPECT_FALSE(doc.records[3].preText.has_value());
    EXPECT_EQ(Lines(doc.records[3].lines), (std::vector<std::string>{"A //[PRE]", "//[PRE]: B"}));
    EXPECT_EQ(Lines(doc.subroutines), std::vector<std::string>{"CALL X"});
}

TEST(ReadTagOptions, AcceptsOnlyPreWords) {
    const struct {
        const char* rest;
        bool ok;
        unsigned options;
    } cases[] = {
        {"", true, 0},        {"   \t", true, 0},    {"PRE", true, 1},     {" PRE", true, 1},
        {"\tPRE  ", true, 1}, {"PRE PRE", true, 1},  {"PREPRE", false, 0}, {"PRE\t", false, 0},
        {"pre", false, 0},    {"PRE //x", false, 0}, {"X", false, 0},      {"PR", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rest);
        unsigned options = 99;
        EXPECT_EQ(ReadTagOptions(c.rest, options), c.ok);
        if (c.ok) {
            EXPECT_EQ(options, c.options);
        }
    }
}

TEST(ReadProgramFile, RefusesMissingEmptyAndUnreadableFiles) {
    const std::string dir = test_support::ScratchDir("read");
    test_support::WriteBytes(dir + "/EMPTY.R", "");
    ProgramDocument doc;
    EXPECT_FALSE(ReadProgramFile(dir + "/MISSING.R", doc));
    EXPECT_FALSE(ReadProgramFile(dir + "/EMPTY.R", doc));
    EXPECT_FALSE(ReadProgramFile(dir, doc));  // a folder cannot be read whole
    EXPECT_TRUE(doc.text.empty());
}

TEST(ReadWholeFile, RefusesFilesLongerThanTheLimit) {
    const std::string dir = test_support::ScratchDir("limit");
    // Longer than one read, to cross the chunk boundary.
    test_support::WriteBytes(dir + "/BIG", std::string(70000, 'x'));
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(dir + "/BIG", bytes, 69999), ReadResult::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadWholeFile(dir + "/BIG", bytes, 70000), ReadResult::Ok);
    EXPECT_EQ(bytes.size(), 70000u);
}

}  // namespace
}  // namespace zolt
