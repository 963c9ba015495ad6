#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"
#include "editor/document/edit_history.h"
#include "editor/document/program_writer.h"

namespace zolt {
namespace {

ProgramDocument Parsed(const std::string& text) {
    ProgramDocument doc;
    doc.text = text;
    const ParseResult result = ParseProgram(doc);
    EXPECT_TRUE(result) << EnglishText(MakeMessage(result.reason)) << " line " << result.lineNumber;
    return doc;
}

TEST(WriteProgram, RegeneratesBodiesAndKeepsEverythingElse) {
    const struct {
        const char* what;
        std::string in;
        std::string out;
    } cases[] = {
        {"LF-only file", "head\n//{ \"a\"\n      x\ny  \n//}\ntail\n",
         "head\n//{ \"a\"\n  x\r\n  y  \r\n//}\ntail\n"},
        {"tabs and blanks in the indent", "\t //{ \"a\"\r\n\t\tWAIT\r\n   //}\r\n",
         "\t //{ \"a\"\r\n\t   WAIT\r\n   //}\r\n"},
        {"last line without line end", "//{ \"a\"\nWAIT\n//}", "//{ \"a\"\n  WAIT\r\n//}"},
        {"text after the last record without line end", "//{ \"a\"\n//}\nGO MAIN",
         "//{ \"a\"\n//}\nGO MAIN"},
        {"subroutine line inside a record", "//{ \"a\"\n//++CALL S\nWAIT\n//}\n//++CALL T\n",
         "//{ \"a\"\n  WAIT\r\n//}\n//++CALL T\n"},
        {"empty record and blank body line", "//{ \"a\"\n\n//}\n//{ \"b\"\n//}\n",
         "//{ \"a\"\n  \r\n//}\n//{ \"b\"\n//}\n"},
        {"PRE active form", "  //{ \"a\" PRE\nIF A THEN //[PRE]\nWAIT\n  //}\n",
         "  //{ \"a\" PRE\n    IF A THEN //[PRE]\r\n    WAIT\r\n  //}\n"},
        {"PRE comment form", "//{ \"a\" PRE\n   //[PRE]: IF A THEN\n//}\n",
         "//{ \"a\" PRE\n  //[PRE]: IF A THEN\r\n//}\n"},
        {"lone CR kept", "//{ \"a\"\nA\rB\n//}\r", "//{ \"a\"\n  A\rB\r\n//}\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WriteProgram(Parsed(c.in)), c.out);
    }
}

TEST(WriteProgram, PreFormFollowsTheCodeLines) {
    ProgramDocument doc = Parsed(
        "//{ \"had lines\" PRE\nIF A THEN //[PRE]\nWAIT\n//}\n"
        "//{ \"had none\" PRE\n//[PRE]: IF B THEN\n//}\n"
        "//{ \"plain\"\nWAIT\n//}\n");
    doc.records[0].lines.RemoveLine(0);
    doc.records[1].lines.AppendCodeText("PLAY ACTION SIT\xFFWAIT");
    doc.records[2].lines.RemoveLine(0);
    EXPECT_EQ(WriteProgram(doc),
              "//{ \"had lines\" PRE\n  //[PRE]: IF A THEN\r\n//}\n"
              "//{ \"had none\" PRE\n  IF B THEN //[PRE]\r\n  PLAY ACTION SIT\r\n  WAIT\r\n//}\n"
              "//{ \"plain\"\n//}\n");
}

TEST(WriteProgram, WrittenFileReadsBackTheSame) {
    ProgramDocument first = Parsed(
        "// header\n:START\n  //{ \"Touch/Head\"\n\tPLAY ACTION SIT\n  WAIT\n  //}\n"
        "\t//{ \"Touch/Back\" PRE\n\tIF B THEN //[PRE]\n\tWAIT 10\n\t//}\n"
        "//{ \"Empty\" PRE\n//[PRE]: IF C\n//}\n//++ CALL X // x\nGO START");
    first.records[0].lines.AppendCodeText("  WAIT 50 // kill time");
    const std::string once = WriteProgram(first);
    ProgramDocument second = Parsed(once);
    const std::string twice = WriteProgram(second);
    // The leading blanks of an appended line are gone once read back.
    EXPECT_EQ(second.records[0].lines[2], "WAIT 50 // kill time");
    EXPECT_EQ(WriteProgram(Parsed(twice)), twice);
    EXPECT_EQ(twice,
              "// header\n:START\n  //{ \"Touch/Head\"\n    PLAY ACTION SIT\r\n    WAIT\r\n"
              "    WAIT 50 // kill time\r\n  //}\n"
              "\t//{ \"Touch/Back\" PRE\n\t  IF B THEN //[PRE]\r\n\t  WAIT 10\r\n\t//}\n"
              "//{ \"Empty\" PRE\n  //[PRE]: IF C\r\n//}\n//++ CALL X // x\nGO START");
}

TEST(CheckReadBack, RefusesWhatWouldNotReadBack) {
    const std::string ok253(253, 'x');
    const struct {
        const char* what;
        std::string text;
        std::string appended;
        std::string message;
    } cases[] = {
        {"255 characters with the indent", "//{ \"e\"\n//}\n", ok253, ""},
        {"256 characters with the indent", "//{ \"Touch/Head\"\n//}\n", ok253 + "x",
         "ERROR: Can't save R-CODE.R file\nThe event \"Touch/Head\" has a line longer than "
         "255 characters\nNothing was written"},
        {"long code line grows by the record's indent", " //{ \"e\"\n" + ok253 + "\n //}\n", "",
         "ERROR: Can't save R-CODE.R file\nThe event \"e\" has a line longer than 255 "
         "characters\nNothing was written"},
        {"opening marker", "//{ \"e\"\n//}\n", "  //{ \"x\"",
         "ERROR: Can't save R-CODE.R file\nThe event \"e\" has a line beginning with //{, //} "
         "or //++\nNothing was written"},
        {"closing marker", "//{ \"e\"\n//}\n", "\t//}",
         "ERROR: Can't save R-CODE.R file\nThe event \"e\" has a line beginning with //{, //} "
         "or //++\nNothing was written"},
        {"subroutine marker", "//{ \"e\"\n//}\n", "//++CALL X",
         "ERROR: Can't save R-CODE.R file\nThe event \"e\" has a line beginning with //{, //} "
         "or //++\nNothing was written"},
        {"other comments are fine", "//{ \"e\"\n//}\n", "//+ x", ""},
        {"empty PRE text gets lines", "//{ \"p\" PRE\n//[PRE]: \n//}\n", "WAIT",
         "ERROR: Can't save R-CODE.R file\nThe event \"p\" has an empty or comment PRE clause "
         "and can't hold lines\nNothing was written"},
        {"comment PRE text gets lines", "//{ \"p\" PRE\n//[PRE]:   // note\n//}\n", "WAIT",
         "ERROR: Can't save R-CODE.R file\nThe event \"p\" has an empty or comment PRE clause "
         "and can't hold lines\nNothing was written"},
        {"empty PRE text without lines", "//{ \"p\" PRE\n//[PRE]: \n//}\n", "", ""},
        {"PRE line too long once active",
         "//{ \"p\" PRE\n//[PRE]: " + std::string(246, 'y') + "\n//}\n", "WAIT",
         "ERROR: Can't save R-CODE.R file\nThe event \"p\" has a line longer than 255 "
         "characters\nNothing was written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramDocument doc = Parsed(c.text);
        if (!c.appended.empty()) {
            doc.records[0].lines.AppendLine(c.appended);
        }
        EXPECT_EQ(EnglishText(CheckReadBack(doc)), c.message);
    }
}

// A typed line is judged as the program would read it back: stored without
// its leading blanks, refused with a line end, NUL, too long, or a marker.
TEST(CheckTypedLine, JudgesTheLineAsItWouldReadBack) {
    const ProgramDocument doc = Parsed(" //{ \"e\"\n //}\n");
    const ZoltRecord& record = doc.records[0];  // indent 1, so 252 characters fit
    const struct {
        std::string typed;
        LineFault fault;
        const char* stored;
    } cases[] = {
        {"WAIT 1500", LineFault::None, "WAIT 1500"},
        {" \t WAIT 1500 ", LineFault::None, "WAIT 1500 "},
        {"\t" + std::string(252, 'x'), LineFault::None, nullptr},
        {std::string(253, 'x'), LineFault::TooLong, nullptr},
        {"WAIT\r1", LineFault::LineEnd, nullptr},
        {"WAIT\n1", LineFault::LineEnd, nullptr},
        {std::string("WAIT\0001", 6), LineFault::LineEnd, nullptr},
        {"  //{ \"x\"", LineFault::OpensEvent, nullptr},
        {"//} end", LineFault::ClosesEvent, nullptr},
        {"\t//++CALL X", LineFault::Subroutine, nullptr},
        {"//+ a note", LineFault::None, "//+ a note"},
        {"IF A THEN //[PRE]", LineFault::None, "IF A THEN //[PRE]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CheckTypedLine(record, c.typed), c.fault);
        if (c.stored) {
            EXPECT_EQ(StoredLine(c.typed), c.stored);
        }
    }
}

TEST(PastedLines, EndsLinesAtEveryKindOfLineEnd) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"A\r\nB\r\n", {"A", "B"}},
        {"A\nB", {"A", "B"}},
        {"A\rB\r", {"A", "B"}},
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"\tWAIT\t1\n", {"\tWAIT\t1"}},
        {std::string("A\nB\0C\n", 6), {"A", "B"}},
        {"", {}},
        {"\n", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PastedLines(c.text), c.lines);
    }
}

// Copied lines paste back as the same lines, an empty last one too.
TEST(CopiedText, PastesBackAsTheSameLines) {
    const struct {
        std::vector<std::string_view> lines;
        std::string text;
    } cases[] = {
        {{"WAIT 1000"}, "WAIT 1000"},
        {{"A", "\tB 1", ""}, "A\r\n\tB 1\r\n\r\n"},
        {{"", "A"}, "\r\nA"},
        {{""}, "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CopiedText(c.lines), c.text);
        EXPECT_EQ(PastedLines(c.text), std::vector<std::string>(c.lines.begin(), c.lines.end()));
    }
}

}  // namespace
}  // namespace zolt
