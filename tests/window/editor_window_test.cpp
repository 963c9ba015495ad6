// The editor dialog under Wine: the real template, real controls, real mouse
// and keyboard input; the document, the controls and the files are read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/resources/resource.h"
#include "editor/window/run_editor.h"
#include "win32ui/language.h"
#include "harness.h"
#include "input.h"

namespace window_test {
namespace {

using zolt::DragState;

const char kSelectPlaceholder[] = "select AIBO event  (cannot drag parts here)";
const char kEmptyPlaceholder[] = "empty   (drag parts from below to here)";
const char kSelectAction[] = "(please select an action)";

const std::string kTreeProgram =
    "//{ \"Touch/Head sensor\"\r\nWAIT\r\n//}\r\n"
    "//{ \"Greeting\"\r\n//}\r\n"
    "//{ \"Sound\"\r\nPLAY ACTION SIT\r\n//}\r\n"
    "//{ \"Touch/Back sensor\"\r\n//}\r\n"
    "//{ \"touch/Back\"\r\n//}\r\n"
    "//{ \"A/B/C\"\r\n//}\r\n"
    "//{ \"/No group\"\r\n//}\r\n"
    "//{ \"Sound/Loud\"\r\n//}\r\n"
    "//{ \"Trailing/\"\r\n//}\r\n";

// A record of five long lines (so the items are wide enough to aim at), an
// empty one, and a subroutine line that would close a record.
const std::string kEditProgram =
    "// test program\r\n"
    "  //{ \"Five/Lines\"\r\n"
    "    PLAY ACTION+ LINE_0 // the first line\r\n"
    "    PLAY ACTION+ LINE_1 // the second line\r\n"
    "    PLAY ACTION+ LINE_2 // the third line\r\n"
    "    PLAY ACTION+ LINE_3 // the fourth line\r\n"
    "    PLAY ACTION+ LINE_4 // the fifth line\r\n"
    "  //}\r\n"
    "  //{ \"Five/Empty\"\r\n"
    "  //}\r\n"
    "//++//} end\r\n";

std::vector<std::string> FiveLines(std::initializer_list<int> order) {
    const char* names[] = {"first", "second", "third", "fourth", "fifth"};
    std::vector<std::string> lines;
    for (int i : order) {
        lines.push_back("PLAY ACTION+ LINE_" + std::to_string(i) + " // the " + names[i] + " line");
    }
    return lines;
}

TEST(EditorWindow, BuildsTheEventTreeFromTheRecordNames) {
    const Stick stick = WriteStick("tree", kTreeProgram);
    Editor editor(stick.program);
    ASSERT_TRUE(editor.Running());
    const std::vector<TreeNode> expected = {
        {"Touch", -1, {{"Head sensor", 0, {}}, {"Back sensor", 3, {}}}},
        {"Greeting", 1, {}},
        {"Sound", 2, {{"Loud", 7, {}}}},
        {"touch", -1, {{"Back", 4, {}}}},
        {"A", -1, {{"B/C", 5, {}}}},
        {"", -1, {{"No group", 6, {}}}},
        {"Trailing", -1, {{"", 8, {}}}},
    };
    EXPECT_EQ(editor.Tree(), expected);
    EXPECT_EQ(editor.SelectedTreeText(), "Head sensor");
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{"WAIT", 0, 0}}));
    EXPECT_EQ(editor.Status(), kSelectAction);

    // A record item with children still stands for its own record.
    ASSERT_TRUE(editor.SelectTreeItem("Sound"));
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{"PLAY ACTION SIT", 2, 0}}));
    ASSERT_TRUE(editor.SelectTreeItem("Greeting"));
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kEmptyPlaceholder, -1, -1}}));

    // A group node stands for no record; the status line keeps its text.
    editor.Click(editor.ItemPoint(IDC_PALETTE, 3));
    EXPECT_EQ(editor.Status(), " Turn Left");
    ASSERT_TRUE(editor.SelectTreeItem("touch"));
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kSelectPlaceholder, -1, 0}}));
    EXPECT_EQ(editor.Status(), " Turn Left");
}

TEST(EditorWindow, SelectsNothingWhenTheFirstRecordHasNoGroup) {
    const Stick stick =
        WriteStick("ungrouped", "//{ \"Bedtime\"\r\nWAIT\r\n//}\r\n//{ \"A/B\"\r\n//}\r\n");
    Editor editor(stick.program);
    ASSERT_TRUE(editor.Running());
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kSelectPlaceholder, -1, 0}}));
}

TEST(EditorWindow, ShowsEachLineWithTheIconOfItsKind) {
    const Stick stick = WriteStick("kinds",
                                   "//{ \"All/Kinds\"\r\n"
                                   "WAIT 100\r\nPLAY ACTION WALK 0 100\r\nPLAY ACTION SIT\r\n"
                                   "PLAY ACTION+ DANCE\r\nSET Spot 1\r\nCALL RCR_Bark\r\n"
                                   "// a comment\r\nSET Head_ON 0\r\n\r\n//}\r\n");
    Editor editor(stick.program);
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{"WAIT 100", 0, 0},
                                                       {"PLAY ACTION WALK 0 100", 1, 0},
                                                       {"PLAY ACTION SIT", 2, 0},
                                                       {"PLAY ACTION+ DANCE", 3, 0},
                                                       {"SET Spot 1", 4, 0},
                                                       {"CALL RCR_Bark", 5, 0},
                                                       {"// a comment", 6, 0},
                                                       {"SET Head_ON 0", 6, 0},
                                                       {"", 6, 0}}));
}

// The palette's rows with their code texts: an item's data is the index of
// its palette item.
std::vector<std::string> Texts(Editor& editor) {
    std::vector<std::string> texts;
    for (const ListRow& row : editor.PaletteRows()) {
        texts.push_back(std::to_string(row.image) + " " + row.text + " | " +
                        editor.PaletteItems().at(static_cast<std::size_t>(row.data)).codeText);
    }
    return texts;
}

TEST(EditorWindow, FillsThePaletteForEachCategory) {
    const Stick stick = WriteStick("palette", kEditProgram);
    Editor editor(stick.program);
    const std::vector<std::string> standard = Texts(editor);
    ASSERT_EQ(standard.size(), 17u);
    EXPECT_EQ(standard[0], "2 Sit Down | PLAY ACTION SIT\xFFWAIT");
    EXPECT_EQ(standard[3], "1 Turn Left | PLAY ACTION TURN 90 // Turn Left\xFFWAIT");
    EXPECT_EQ(standard[11], "0 Wait 1/4 sec | WAIT 250 // Wait 1/4 second");
    EXPECT_EQ(standard[16], "2 Stop playing | PLAY ACTION STOP  // Stop playing");
    char category[64] = "";
    GetWindowTextA(editor.Control(IDC_CATEGORY), category, sizeof category);
    EXPECT_STREQ(category, "Standard");
    EXPECT_EQ(SendMessageA(editor.Control(IDC_CATEGORY), CB_GETCOUNT, 0, 0), 24);

    editor.ChooseCategory(2);
    EXPECT_EQ(Texts(editor),
              std::vector<std::string>{"3 DANCE | PLAY ACTION+ DANCE // my dance\xFFWAIT"});
    editor.ChooseCategory(3);
    EXPECT_EQ(Texts(editor),
              std::vector<std::string>{"2 DANCE | PLAY ACTION ALONE_DANCE // dance alone\xFFWAIT"});
    editor.ChooseCategory(23);
    const std::vector<std::string> subroutines = Texts(editor);
    ASSERT_EQ(subroutines.size(), 7u);
    EXPECT_EQ(subroutines[5],
              "6 Wait until head pressed | // Wait until head pressed\xFFSET Head_ON 0\xFFWHILE "
              "Head_ON == 0\xFF  WAIT 50 // kill time\xFFWEND");
    EXPECT_EQ(subroutines[6], "6 } end | //} end");
    EXPECT_EQ(editor.Status(), kSelectAction);
    EXPECT_TRUE(editor.Messages().Shown().empty());
}

TEST(EditorWindow, TheCategoryBoxListsTheTwentyFourCategories) {
    const Stick stick = WriteStick("categories", kEditProgram);
    Editor editor(stick.program);
    const std::vector<std::string> expected = {
        "Standard",
        "LEDs (model specific)",
        "User Actions",
        "System: Play Alone",
        "System: Play with Human",
        "System: Play with Robot",
        "System: Play with Object",
        "System: Show Emotion",
        "System: Show Feelings",
        "System: Physiological",
        "System: Requests",
        "System: Reflexes",
        "System: Show intent",
        "System: Offensive (attack)",
        "System: Guard",
        "System: Contact (touch)",
        "System: Tactile (touch)",
        "System: Change Pos (advanced)",
        "System: Search (advanced)",
        "System: Follow (advanced)",
        "System: system specific",
        "System: ERS-2x0 only (from Pupalong)",
        "System: (other)",
        "Subroutines",
    };
    std::vector<std::string> texts;
    const HWND box = editor.Control(IDC_CATEGORY);
    for (int i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
        char text[128] = "";
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    EXPECT_EQ(texts, expected);
}

TEST(EditorWindow, SaysWhenTheStickHasNoUserActions) {
    const Stick stick = WriteStick("nouser", kEditProgram, "; nothing here\r\n");
    Editor editor(stick.program);
    editor.Click(editor.ItemPoint(IDC_PALETTE, 0));
    EXPECT_EQ(editor.Status(), "PLAY ACTION SIT");
    editor.ChooseCategory(2);
    EXPECT_TRUE(editor.PaletteRows().empty());
    EXPECT_EQ(editor.Messages().Shown(),
              std::vector<std::string>{"This RCODE stick does not contain any USER actions"});
    EXPECT_EQ(editor.Status(), kSelectAction);
}

TEST(EditorWindow, DropsPaletteItemsAtTheEndOfTheSelectedEvent) {
    const Stick stick = WriteStick("add", kEditProgram);
    Editor editor(stick.program);
    ASSERT_EQ(editor.CodeLines(), FiveLines({0, 1, 2, 3, 4}));

    editor.DragTo(editor.ItemPoint(IDC_PALETTE, 0), editor.ItemPoint(IDC_CODE_LIST, 1));
    EXPECT_EQ(editor.Status(), "(drag into code window above to add)");
    EXPECT_EQ(editor.Drag().mode, DragState::Mode::PaletteDrag);
    EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::ItemPicture);
    editor.Release();
    std::vector<std::string> expected = FiveLines({0, 1, 2, 3, 4});
    expected.push_back("PLAY ACTION SIT");
    expected.push_back("WAIT");
    EXPECT_EQ(editor.CodeLines(), expected);
    EXPECT_EQ(editor.CodeList().back(), (ListRow{"WAIT", 0, 0}));
    EXPECT_EQ(editor.Status(), kSelectAction);
    EXPECT_EQ(editor.Drag().mode, DragState::Mode::Idle);
    EXPECT_TRUE(editor.Document().modified);
}

TEST(EditorWindow, PaletteItemsGoNowhereButIntoASelectedEvent) {
    const Stick stick = WriteStick("nowhere", kEditProgram);
    Editor editor(stick.program);
    const POINT sitDown = editor.ItemPoint(IDC_PALETTE, 0);

    // Over the palette itself the item keeps its own picture.
    editor.DragTo(sitDown, editor.ItemPoint(IDC_PALETTE, 8));
    EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::ItemPicture);
    editor.Release();
    // Over the tree the question marks show.
    editor.DragTo(sitDown, editor.ControlPoint(IDC_EVENT_TREE, 60, 150));
    EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::QuestionPicture);
    editor.Release();
    // Over the code list of a group node too.
    ASSERT_TRUE(editor.SelectTreeItem("Five"));
    editor.DragTo(sitDown, editor.ItemPoint(IDC_CODE_LIST, 0));
    EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::QuestionPicture);
    editor.Release();
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kSelectPlaceholder, -1, 0}}));
    EXPECT_FALSE(editor.Document().modified);
    EXPECT_EQ(editor.Document().records[0].lines.Count(), 5);
    EXPECT_EQ(editor.Document().records[1].lines.Count(), 0);
}

TEST(EditorWindow, MovesLinesWhereTheyAreDropped) {
    const struct {
        const char* what;
        int from;
        int onto;  // -1: below the last line
        std::initializer_list<int> after;
        const char* marking = "";  // keys that mark lines first
    } cases[] = {
        {"line 0 onto line 3", 0, 3, {1, 2, 0, 3, 4}},
        {"line 3 onto line 0", 3, 0, {3, 0, 1, 2, 4}},
        {"below the last line", 1, -1, {0, 2, 3, 4, 1}},
        {"onto itself", 2, 2, {0, 1, 2, 3, 4}},
        {"onto the line below", 1, 2, {0, 1, 2, 3, 4}},
        // Several marked lines go together when the drag starts on one of them.
        {"two marked, the second onto line 4", 1, 4, {2, 3, 0, 1, 4}, "Tab Home Shift+Down"},
        {"two marked, below the last line", 0, -1, {2, 3, 4, 0, 1}, "Tab Home Shift+Down"},
        {"a line not marked", 3, 0, {3, 0, 1, 2, 4}, "Tab Home Shift+Down"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Stick stick = WriteStick("move", kEditProgram);
        Editor editor(stick.program);
        editor.Press(c.marking);
        const POINT from = editor.ItemPoint(IDC_CODE_LIST, c.from);
        POINT to = c.onto >= 0 ? editor.ItemPoint(IDC_CODE_LIST, c.onto)
                               : editor.ControlPoint(IDC_CODE_LIST, 40, 200);
        if (c.onto == c.from) {
            to.x += 40;  // far enough to start a drag, still on the same line
        }
        editor.DragTo(from, to);
        EXPECT_EQ(editor.Status(), "(move line, or drag outside window to delete)");
        EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::ItemPicture);
        editor.Release();
        EXPECT_EQ(editor.CodeLines(), FiveLines(c.after));
        EXPECT_TRUE(editor.Document().modified);
        EXPECT_EQ(editor.Status(), kSelectAction);
    }
}

TEST(EditorWindow, RemovesLinesDroppedOutsideTheCodeList) {
    const struct {
        const char* where;
        int control;  // 0: a point on the screen outside the window
        int dx, dy;
        const char* marking = "";  // keys that mark lines first
        std::initializer_list<int> after = {0, 2, 3, 4};
    } cases[] = {
        {"event tree", IDC_EVENT_TREE, 60, 150},
        {"palette", IDC_PALETTE, 300, 60},
        {"status line", IDC_STATUS, 20, 4},
        {"outside the window", 0, 900, 600},
        {"two marked lines, palette", IDC_PALETTE, 300, 60, "Tab Home Down Shift+Down", {0, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const Stick stick = WriteStick("remove", kEditProgram);
        Editor editor(stick.program);
        editor.Press(c.marking);
        editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 1),
                      editor.ControlPoint(c.control, c.dx, c.dy));
        EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::DelPicture);
        editor.Release();
        EXPECT_EQ(editor.CodeLines(), FiveLines(c.after));
        EXPECT_TRUE(editor.Document().modified);
    }
}

TEST(EditorWindow, PlaceholdersAreNoLines) {
    const Stick stick = WriteStick("placeholders", kEditProgram);
    Editor editor(stick.program);
    ASSERT_TRUE(editor.SelectTreeItem("Five/Empty"));
    const POINT outside = editor.ControlPoint(0, 900, 600);
    editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 0), outside);
    EXPECT_EQ(editor.Drag().mode, DragState::Mode::Idle);
    editor.Release();
    editor.Click(editor.ItemPoint(IDC_CODE_LIST, 0));
    editor.Key(VK_DELETE);
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kEmptyPlaceholder, -1, -1}}));

    // The "select" placeholder drags like a line, and its drop changes nothing.
    ASSERT_TRUE(editor.SelectTreeItem("Five"));
    editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 0), outside);
    EXPECT_EQ(editor.Drag().mode, DragState::Mode::LineDrag);
    EXPECT_EQ(editor.Status(), "(move line, or drag outside window to delete)");
    editor.Release();
    EXPECT_EQ(editor.CodeList(), (std::vector<ListRow>{{kSelectPlaceholder, -1, 0}}));
    EXPECT_FALSE(editor.Document().modified);
    EXPECT_EQ(editor.Document().records[0].lines.Count(), 5);
}

TEST(EditorWindow, DeleteKeyRemovesTheMarkedLine) {
    const Stick stick = WriteStick("delete", kEditProgram);
    Editor editor(stick.program);
    editor.Click(editor.ItemPoint(IDC_CODE_LIST, 2));
    editor.Key(VK_DELETE);
    EXPECT_EQ(editor.CodeLines(), FiveLines({0, 1, 3, 4}));
    EXPECT_TRUE(editor.Document().modified);
    // The list was rebuilt: its mark is gone and Delete does nothing more.
    editor.Key(VK_DELETE);
    EXPECT_EQ(editor.CodeLines(), FiveLines({0, 1, 3, 4}));
}

TEST(EditorWindow, ALostCaptureEndsTheDragWithoutChange) {
    const Stick stick = WriteStick("capture", kEditProgram);
    Editor editor(stick.program);
    editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 1), editor.ControlPoint(0, 900, 600));
    ASSERT_EQ(editor.Drag().mode, DragState::Mode::LineDrag);
    SendMessageA(editor.Dialog(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(editor.Drag().mode, DragState::Mode::Idle);
    editor.Release();
    EXPECT_EQ(editor.CodeLines(), FiveLines({0, 1, 2, 3, 4}));
    EXPECT_FALSE(editor.Document().modified);
}

TEST(EditorWindow, AClickOnTheDialogResetsTheStatusLine) {
    const Stick stick = WriteStick("click", kEditProgram);
    Editor editor(stick.program);
    editor.Click(editor.ItemPoint(IDC_PALETTE, 4));
    EXPECT_EQ(editor.Status(), " Turn Right");
    editor.Click(editor.ControlPoint(IDC_STATUS, 20, 4));
    EXPECT_EQ(editor.Status(), kSelectAction);
}

TEST(EditorWindow, SaveWritesTheProgramAndKeepsTheBackup) {
    const Stick stick = WriteStick("save", kEditProgram);
    Editor editor(stick.program);
    editor.Drag(editor.ItemPoint(IDC_CODE_LIST, 0), editor.ControlPoint(0, 900, 600));
    editor.Click(editor.ControlPoint(IDC_SAVE, 20, 8));
    EXPECT_EQ(editor.WaitForEnd(), IDC_SAVE);
    EXPECT_EQ(editor.Messages().Shown(), std::vector<std::string>{"Changes saved!"});
    EXPECT_EQ(ReadFile(stick.program),
              "// test program\r\n"
              "  //{ \"Five/Lines\"\r\n"
              "    PLAY ACTION+ LINE_1 // the second line\r\n"
              "    PLAY ACTION+ LINE_2 // the third line\r\n"
              "    PLAY ACTION+ LINE_3 // the fourth line\r\n"
              "    PLAY ACTION+ LINE_4 // the fifth line\r\n"
              "  //}\r\n"
              "  //{ \"Five/Empty\"\r\n"
              "  //}\r\n"
              "//++//} end\r\n");
    EXPECT_EQ(ReadFile(stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"), kEditProgram);
}

TEST(EditorWindow, SaveWithoutChangesSaysSo) {
    const Stick stick = WriteStick("unchanged", kEditProgram);
    Editor editor(stick.program);
    editor.Click(editor.ControlPoint(IDC_SAVE, 20, 8));
    EXPECT_EQ(editor.WaitForEnd(), IDC_SAVE);
    EXPECT_EQ(editor.Messages().Shown(), std::vector<std::string>{"File saved (no changes made)"});
    EXPECT_EQ(ReadFile(stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"), kEditProgram);
}

// Files copied from a CD keep the read-only attribute: Save leaves them
// alone, says which, and the editor stays open.
TEST(EditorWindow, SaveLeavesReadOnlyFilesAlone) {
    for (const bool lockProgram : {true, false}) {
        const Stick stick = WriteStick(lockProgram ? "ro-program" : "ro-backup", kEditProgram);
        const std::string backup = stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK";
        std::ofstream(backup, std::ios::binary) << "old backup";
        const std::string& locked = lockProgram ? stick.program : backup;
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
        {
            Editor editor(stick.program);
            editor.Drag(editor.ItemPoint(IDC_CODE_LIST, 0), editor.ControlPoint(0, 900, 600));
            editor.Click(editor.ControlPoint(IDC_SAVE, 20, 8));
            EXPECT_TRUE(editor.Running());
            const std::string first = "ERROR: Can't create new R-CODE.R file\n" + stick.program;
            EXPECT_EQ(editor.Messages().Shown(),
                      std::vector<std::string>{
                          lockProgram ? first + "\nThe file is read-only."
                                      : first + "\nThe backup file is read-only:\n" + backup});
        }
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFile(stick.program), kEditProgram);
        EXPECT_EQ(ReadFile(backup), "old backup");
    }
}

TEST(EditorWindow, SaveRefusesALineThatWouldCloseTheEvent) {
    const Stick stick = WriteStick("refuse", kEditProgram);
    Editor editor(stick.program);
    editor.ChooseCategory(23);
    editor.Drag(editor.ItemPoint(IDC_PALETTE, 6), editor.ItemPoint(IDC_CODE_LIST, 0));
    ASSERT_EQ(editor.CodeLines().back(), "//} end");
    editor.Click(editor.ControlPoint(IDC_SAVE, 20, 8));
    EXPECT_TRUE(editor.Running());
    EXPECT_EQ(editor.Messages().Shown(),
              std::vector<std::string>{"ERROR: Can't save R-CODE.R file\nThe event \"Five/Lines\" "
                                       "has a line beginning with //{, //} or //++\nNothing was "
                                       "written"});
    EXPECT_EQ(ReadFile(stick.program), kEditProgram);
    EXPECT_FALSE(FileExists(stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"));
}

TEST(EditorWindow, CancelAsksOnlyAboutChanges) {
    const std::string question =
        "WARNING: you have made changes that will not be saved if you cancel\n"
        "Do you want to abandon changes (Yes to abandon, No to go back to editing)";
    {
        const Stick stick = WriteStick("cancel", kEditProgram);
        Editor editor(stick.program);
        editor.Key(VK_ESCAPE);
        EXPECT_EQ(editor.WaitForEnd(), IDCANCEL);
        EXPECT_TRUE(editor.Messages().Asked().empty());
    }
    {
        // Enter in the tree takes the cancel path too.
        const Stick stick = WriteStick("enter", kEditProgram);
        Editor editor(stick.program);
        editor.Key(VK_RETURN);
        EXPECT_EQ(editor.WaitForEnd(), IDCANCEL);
    }
    const Stick stick = WriteStick("cancel-changed", kEditProgram);
    Editor editor(stick.program);
    editor.Drag(editor.ItemPoint(IDC_CODE_LIST, 0), editor.ControlPoint(0, 900, 600));
    editor.Key(VK_ESCAPE);
    EXPECT_TRUE(editor.Running());
    EXPECT_EQ(editor.Messages().Asked(), std::vector<std::string>{question});
    EXPECT_EQ(editor.CodeLines(), FiveLines({1, 2, 3, 4}));
    editor.Messages().Answer(true);
    PostMessageA(editor.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(editor.WaitForEnd(), IDCANCEL);
    EXPECT_EQ(editor.Messages().Asked().size(), 2u);
    EXPECT_EQ(ReadFile(stick.program), kEditProgram);
    EXPECT_FALSE(FileExists(stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"));
}

TEST(EditorWindow, SystemMenuOpensTheAboutBox) {
    const Stick stick = WriteStick("about", kEditProgram);
    Editor editor(stick.program);
    editor.Drag(editor.ItemPoint(IDC_CODE_LIST, 0), editor.ControlPoint(0, 900, 600));

    HMENU menu = GetSystemMenu(editor.Dialog(), FALSE);
    const int count = GetMenuItemCount(menu);
    char text[64] = "";
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About ZOLT...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u);
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));

    const DWORD thread = GetWindowThreadProcessId(editor.Dialog(), nullptr);
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageA(editor.Dialog(), WM_SYSCOMMAND, 0x10 | 0x3, 0);
        const HWND about = WaitForThreadWindow(thread, nullptr, "About ZOLT");
        ASSERT_NE(about, nullptr);
        EXPECT_FALSE(IsWindowEnabled(editor.Dialog()));
        std::string version;
        for (const std::string& text : ChildTexts(about)) {
            if (text.starts_with("ZOLT")) {
                version = text;
            }
        }
        EXPECT_EQ(version, "ZOLT Version 2.52");
        SetForegroundWindow(about);
        editor.Key(key);
        EXPECT_FALSE(IsWindow(about));
        EXPECT_TRUE(editor.Running());
    }
    EXPECT_TRUE(editor.Document().modified);
    EXPECT_EQ(editor.CodeLines(), FiveLines({1, 2, 3, 4}));
}

TEST(EditorWindow, UsesTheProgramIconForTheWindowAndTheDragIcon) {
    const Stick stick = WriteStick("icon", kEditProgram);
    Editor editor(stick.program);
    const auto big = SendMessageA(editor.Dialog(), WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(big, 0);
    EXPECT_EQ(SendMessageA(editor.Dialog(), WM_GETICON, ICON_SMALL, 0), big);
    EXPECT_EQ(SendMessageA(editor.Dialog(), WM_QUERYDRAGICON, 0, 0), big);
}

TEST(StartEditor, ShowsTheFirstStartupFailure) {
    const Stick stick = WriteStick("startup", "WAIT\r\n");
    window_test::CapturedMessages messages;
    EXPECT_EQ(zolt::StartEditor(GetModuleHandleA(nullptr), stick.program, messages), 0);
    EXPECT_EQ(
        messages.Shown(),
        std::vector<std::string>{"R-CODE program installed is not ZOLT enabled\n" + stick.program});

    window_test::CapturedMessages quoted;
    zolt::StartEditor(GetModuleHandleA(nullptr), "\"" + stick.program + "\"", quoted);
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string expected = std::string("ERROR: Can't open R-CODE.R file\n") + cwd;
    if (expected.back() != '\\') {
        expected += '\\';
    }
    expected += "\"" + stick.program + "\"";
    EXPECT_EQ(quoted.Shown(), std::vector<std::string>{expected});
}

// Pictures of the editor on the sample stick, for a person to look at.
// Every record's lines, a line of the five as its number: "1 0 2 3 4 | ".
std::string Lines(zolt::ProgramDocument& doc) {
    std::string text;
    for (const zolt::ZoltRecord& record : doc.records) {
        for (const std::string_view line : record.lines) {
            const std::string_view prefix = "PLAY ACTION+ LINE_";
            text +=
                line.starts_with(prefix) ? std::string(1, line[prefix.size()]) : std::string(line);
            text += ' ';
        }
        text += "| ";
    }
    return text;
}

// An owner without a mouse. The editor opens with the focus on the tree and
// "Five/Lines" selected; Tab goes on to the code list, the category box, the
// palette ("Sit Down" first) and the save button.
TEST(EditorWindow, EditsFromTheKeyboardWithUndoAndRedo) {
    const struct {
        const char* keys;
        const char* lines;
        bool modified;
        const char* event;  // selected in the tree afterwards
    } rows[] = {
        {"Tab Home Down Alt+Up", "1 0 2 3 4 | | ", true, "Lines"},
        {"Tab Home Alt+Down", "1 0 2 3 4 | | ", true, "Lines"},
        {"Tab End Ctrl+Up", "0 1 2 4 3 | | ", true, "Lines"},
        {"Tab Home Alt+Up", "0 1 2 3 4 | | ", false, "Lines"},
        {"Tab End Ctrl+Down", "0 1 2 3 4 | | ", false, "Lines"},
        {"Tab Home Delete", "1 2 3 4 | | ", true, "Lines"},
        {"Tab Tab Tab Home Insert", "0 1 2 3 4 PLAY ACTION SIT WAIT | | ", true, "Lines"},
        {"Tab Home Delete Ctrl+Z", "0 1 2 3 4 | | ", true, "Lines"},
        {"Tab Home Delete Ctrl+Z Ctrl+Y", "1 2 3 4 | | ", true, "Lines"},
        {"Tab Home Delete Ctrl+Z Ctrl+Shift+Z", "1 2 3 4 | | ", true, "Lines"},
        // A new edit drops what was undone.
        {"Tab Home Delete Ctrl+Z End Delete Ctrl+Y", "0 1 2 3 | | ", true, "Lines"},
        // Undoing a change to another event shows that event first.
        {"Tab Tab Tab Home Insert Shift+Tab Shift+Tab Shift+Tab Down Tab Tab Tab Home Insert "
         "Ctrl+Z "
         "Ctrl+Z",
         "0 1 2 3 4 | | ", true, "Lines"},
        {"Tab Tab Tab Home Insert Shift+Tab Shift+Tab Shift+Tab Down Tab Tab Tab Home Insert "
         "Ctrl+Z "
         "Ctrl+Z Ctrl+Y",
         "0 1 2 3 4 PLAY ACTION SIT WAIT | | ", true, "Lines"},
        {"Tab Tab Tab Home Insert Shift+Tab Shift+Tab Shift+Tab Down Tab Tab Tab Home Insert "
         "Ctrl+Z",
         "0 1 2 3 4 PLAY ACTION SIT WAIT | | ", true, "Empty"},
        // With no event selected the shortcuts change nothing.
        {"Up Tab Tab Tab Home Insert Shift+Tab Shift+Tab Home Alt+Down Ctrl+Z Ctrl+Y",
         "0 1 2 3 4 | | ", false, "Five"},
        {"Double-click", "0 1 2 3 4 PLAY ACTION STAND WAIT | | ", true, "Lines"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        const Stick stick = WriteStick("keys", kEditProgram);
        Editor editor(stick.program);
        if (std::string(row.keys) == "Double-click") {
            const POINT standUp = editor.ItemPoint(IDC_PALETTE, 1);
            MouseMove(editor.Dialog(), standUp);
            DoubleClick(editor.Dialog(), standUp);
        } else {
            editor.Press(row.keys);
        }
        EXPECT_EQ(Lines(editor.Document()), row.lines);
        EXPECT_EQ(editor.Document().modified, row.modified);
        EXPECT_EQ(editor.SelectedTreeText(), row.event);
        EXPECT_TRUE(editor.Running());
    }
}

// Whether a text fits a control on one line, in the control's own font.
bool FitsOneLine(HWND control, const std::string& text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    return size.cx <= client.right;
}

// Changing what a line says: F2 (or Insert for a new line) opens an edit box,
// whose text is typed here; Enter takes it when the program would read it
// back as it is, Escape drops it, and the editor stays open either way.
TEST(EditorWindow, EditsALineInPlace) {
    const std::string closes = "//} would end the event: not changed.";
    const struct {
        const char* open;
        std::string typed;
        const char* close;
        const char* lines;
        bool modified;
        std::string status;
    } rows[] = {
        {"Tab Home F2", "WAIT 1500", "Enter", "WAIT 1500 1 2 3 4 | | ", true, ""},
        {"Tab Home F2", "  WAIT 1500", "Enter", "WAIT 1500 1 2 3 4 | | ", true, ""},
        {"Tab Home F2", "WAIT 1500", "Escape", "0 1 2 3 4 | | ", false, ""},
        {"Tab Home F2", "  //} end", "Enter", "0 1 2 3 4 | | ", false, closes},
        {"Tab Home F2", "//{ \"x\"", "Enter", "0 1 2 3 4 | | ", false,
         "//{ would start an event: not changed."},
        {"Tab Home F2", "//++CALL X", "Enter", "0 1 2 3 4 | | ", false,
         "//++ would make a subroutine line: not changed."},
        {"Tab Home F2", std::string(252, 'x'), "Enter", "0 1 2 3 4 | | ", false,
         "Over 255 characters with its indent: not changed."},
        {"Tab Home Insert", "SET Warn 1", "Enter", "0 SET Warn 1 1 2 3 4 | | ", true, ""},
        {"Tab End Insert", "WAIT", "Enter Ctrl+Z Ctrl+Y", "0 1 2 3 4 WAIT | | ", true, ""},
        {"Tab Home Insert", "", "Enter", "0 1 2 3 4 | | ", false, ""},
        {"Tab Home Insert", "   ", "Enter", "0 1 2 3 4 | | ", false, ""},
        {"Tab Home Insert", "WAIT", "Escape", "0 1 2 3 4 | | ", false, ""},
        {"Tab Home F2", "WAIT 1500", "Enter Ctrl+Z", "0 1 2 3 4 | | ", true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.open) + " [" + row.typed + "] " + row.close);
        const Stick stick = WriteStick("line-edit", kEditProgram);
        Editor editor(stick.program);
        editor.Press(row.open);
        const HWND box = reinterpret_cast<HWND>(
            SendMessageA(editor.Control(IDC_CODE_LIST), LVM_GETEDITCONTROL, 0, 0));
        ASSERT_TRUE(IsWindow(box));
        SetWindowTextA(box, row.typed.c_str());
        editor.Press(row.close);
        EXPECT_EQ(Lines(editor.Document()), row.lines);
        EXPECT_EQ(editor.Document().modified, row.modified);
        if (!row.status.empty()) {
            EXPECT_EQ(editor.Status(), row.status);
            EXPECT_TRUE(FitsOneLine(editor.Control(IDC_STATUS), row.status));
        }
        EXPECT_TRUE(editor.Running());
        EXPECT_TRUE(editor.Messages().Asked().empty());
    }
    // A line changed in place is saved as it was typed, in the event's indent.
    const Stick stick = WriteStick("line-edit-save", kEditProgram);
    Editor editor(stick.program);
    editor.Press("Tab End F2");
    const HWND box = reinterpret_cast<HWND>(
        SendMessageA(editor.Control(IDC_CODE_LIST), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(IsWindow(box));
    SetWindowTextA(box, "PLAY ACTION KICK 45 1000");
    editor.Settle();
    editor.Screenshot("editor-line-edit");
    editor.Press("Enter Ctrl+S");
    EXPECT_EQ(editor.WaitForEnd(), IDC_SAVE);
    // The program as written above, its last line of the first event changed.
    std::string expected = kEditProgram;
    const std::string fifth = "PLAY ACTION+ LINE_4 // the fifth line";
    expected.replace(expected.find(fifth), fifth.size(), "PLAY ACTION KICK 45 1000");
    EXPECT_EQ(ReadFile(stick.program), expected);
}

// The clipboard's text as a program that speaks the ANSI code page puts it
// there; an empty text leaves the clipboard empty.
void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!text.empty()) {
        const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        CopyMemory(GlobalLock(data), text.c_str(), text.size() + 1);
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
    }
    CloseClipboard();
}

std::vector<int> MarkedRows(HWND list) {
    std::vector<int> rows;
    for (int i = -1; (i = ListView_GetNextItem(list, i, LVNI_SELECTED)) >= 0;) {
        rows.push_back(i);
    }
    return rows;
}

// Several marked lines: Shift+arrows, Ctrl+A and Ctrl+click mark them;
// Delete, cut, copy and the moves act on all of them as one undo step.
TEST(EditorWindow, EditsSeveralMarkedLines) {
    const std::string l0 = FiveLines({0})[0];
    const std::string l1 = FiveLines({1})[0];
    const std::string l2 = FiveLines({2})[0];
    const struct {
        const char* keys;
        const char* lines;
        bool modified;
        std::vector<int> marked;
        std::string clipboard;
    } rows[] = {
        {"Tab Home Shift+Down Delete", "2 3 4 | | ", true, {}, "before"},
        {"Tab Home Shift+Down Shift+Down Alt+Down", "3 0 1 2 4 | | ", true, {1, 2, 3}, "before"},
        {"Tab End Shift+Up Ctrl+Up", "0 1 3 4 2 | | ", true, {2, 3}, "before"},
        {"Tab Home Shift+Down Alt+Up", "0 1 2 3 4 | | ", false, {0, 1}, "before"},
        {"Tab Home Ctrl+A Delete", "| | ", true, {}, "before"},
        {"Tab Home Ctrl+A Delete Ctrl+Z", "0 1 2 3 4 | | ", true, {0}, "before"},
        {"Tab Home Shift+Down Ctrl+C", "0 1 2 3 4 | | ", false, {0, 1}, l0 + "\r\n" + l1},
        {"Tab Home Down Shift+Down Ctrl+X", "0 3 4 | | ", true, {}, l1 + "\r\n" + l2},
        {"Tab Home Shift+Down Shift+Delete Ctrl+Z", "0 1 2 3 4 | | ", true, {0}, l0 + "\r\n" + l1},
        {"Tab Home Shift+Down Ctrl+X Ctrl+Z Ctrl+Y", "2 3 4 | | ", true, {}, l0 + "\r\n" + l1},
        {"Tab Home Shift+Down Ctrl+Insert End Shift+Insert",
         "0 1 2 3 4 0 1 | | ",
         true,
         {5, 6},
         l0 + "\r\n" + l1},
        // The palette's marked item: its code text, a line each.
        {"Tab Tab Tab Home Ctrl+C", "0 1 2 3 4 | | ", false, {}, "PLAY ACTION SIT\r\nWAIT"},
        {"Tab Tab Tab Home Ctrl+Insert", "0 1 2 3 4 | | ", false, {}, "PLAY ACTION SIT\r\nWAIT"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        PutOnClipboard("before");
        const Stick stick = WriteStick("marked", kEditProgram);
        Editor editor(stick.program);
        editor.Press(row.keys);
        EXPECT_EQ(Lines(editor.Document()), row.lines);
        EXPECT_EQ(editor.Document().modified, row.modified);
        EXPECT_EQ(MarkedRows(editor.Control(IDC_CODE_LIST)), row.marked);
        EXPECT_EQ(ClipboardText<char>(CF_TEXT), row.clipboard);
        EXPECT_TRUE(editor.Running());
    }
    // Lines marked apart go together only by a drag; the keys refuse. They
    // are marked as a Ctrl+click marks them: Wine drops the Ctrl of a click
    // made by SendInput.
    const Stick stick = WriteStick("marked-apart", kEditProgram);
    Editor editor(stick.program);
    editor.Press("Tab Home Down");
    ListView_SetItemState(editor.Control(IDC_CODE_LIST), 3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(MarkedRows(editor.Control(IDC_CODE_LIST)), (std::vector<int>{1, 3}));
    editor.Press("Alt+Up");
    EXPECT_EQ(Lines(editor.Document()), "0 1 2 3 4 | | ");
    EXPECT_EQ(editor.Status(), "The marked lines are not together: not moved.");
    EXPECT_TRUE(FitsOneLine(editor.Control(IDC_STATUS), editor.Status()));
    editor.Drag(editor.ItemPoint(IDC_CODE_LIST, 3), editor.ItemPoint(IDC_CODE_LIST, 0));
    EXPECT_EQ(Lines(editor.Document()), "1 3 0 2 4 | | ");
    EXPECT_EQ(MarkedRows(editor.Control(IDC_CODE_LIST)), (std::vector<int>{0, 1}));
    editor.Press("Ctrl+Z");
    EXPECT_EQ(Lines(editor.Document()), "0 1 2 3 4 | | ");
}

// Ctrl+V and Shift+Insert put the clipboard's lines after the last marked
// line, or at the end of the event; one refused line refuses the paste.
TEST(EditorWindow, PastesTheClipboardsLines) {
    const struct {
        std::string clipboard;
        const char* keys;
        const char* lines;
        std::vector<int> marked;
        std::string status;
    } rows[] = {
        {"WAIT 1500\r\nSET Warn 1\r\n",
         "Tab Home Ctrl+V",
         "0 WAIT 1500 SET Warn 1 1 2 3 4 | | ",
         {1, 2},
         ""},
        {"A\nB", "Ctrl+V", "0 1 2 3 4 A B | | ", {5, 6}, ""},
        {"A\rB\r", "Tab End Shift+Insert", "0 1 2 3 4 A B | | ", {5, 6}, ""},
        {"  \tWAIT\t1  \r\n", "Tab Home Ctrl+V", "0 WAIT\t1   1 2 3 4 | | ", {1}, ""},
        {"\r\n\r\n", "Tab Home Ctrl+V", "0   1 2 3 4 | | ", {1, 2}, ""},
        {"WAIT\r\n  //} end\r\n",
         "Tab Home Ctrl+V",
         "0 1 2 3 4 | | ",
         {0},
         "Line 2 would end the event: nothing pasted."},
        {"//{ \"x\"",
         "Tab Home Ctrl+V",
         "0 1 2 3 4 | | ",
         {0},
         "Line 1 would start an event: nothing pasted."},
        {"//++CALL",
         "Tab Home Ctrl+V",
         "0 1 2 3 4 | | ",
         {0},
         "Line 1 would be a subroutine: nothing pasted."},
        {"WAIT\n\n" + std::string(252, 'x'),
         "Tab Home Ctrl+V",
         "0 1 2 3 4 | | ",
         {0},
         "Line 3 is too long: nothing pasted."},
        {"WAIT", "Tab Home Ctrl+V Ctrl+Z", "0 1 2 3 4 | | ", {}, ""},
        // Nowhere to paste: no event, or the focus on the palette.
        {"WAIT", "Up Ctrl+V Tab Ctrl+V", "0 1 2 3 4 | | ", {}, ""},
        {"WAIT", "Tab Tab Tab Ctrl+V", "0 1 2 3 4 | | ", {}, ""},
        {"", "Tab Home Ctrl+V", "0 1 2 3 4 | | ", {0}, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.clipboard + " / " + row.keys);
        PutOnClipboard(row.clipboard);
        const Stick stick = WriteStick("paste", kEditProgram);
        Editor editor(stick.program);
        editor.Press(row.keys);
        EXPECT_EQ(Lines(editor.Document()), row.lines);
        EXPECT_EQ(MarkedRows(editor.Control(IDC_CODE_LIST)), row.marked);
        if (!row.status.empty()) {
            EXPECT_EQ(editor.Status(), row.status);
            EXPECT_TRUE(FitsOneLine(editor.Control(IDC_STATUS), row.status));
        }
        EXPECT_EQ(editor.Document().modified, std::string(row.lines) != "0 1 2 3 4 | | " ||
                                                  std::string(row.keys).ends_with("Ctrl+Z"));
        EXPECT_TRUE(editor.Running());
    }
}

// The items of the context menu open on the dialog's thread that can be
// chosen, by name without the shortcut; the menu stays open.
std::string EnabledMenuItems(const Editor& editor) {
    const DWORD thread = GetWindowThreadProcessId(editor.Dialog(), nullptr);
    const HWND popup = WaitForThreadWindow(thread, "#32768", nullptr);
    if (popup == nullptr) {
        return "(no menu)";
    }
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    std::string enabled;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) != 0 ||
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) == 0) {
            continue;
        }
        std::string name = text;
        name = name.substr(0, name.find('\t'));
        std::erase(name, '&');
        enabled += (enabled.empty() ? "" : "|") + name;
    }
    return enabled;
}

// A right-click, Shift+F10 or the menu key opens the list's menu, whose
// items are greyed where they cannot apply; a chosen item runs its command.
TEST(EditorWindow, ContextMenusGreyWhatCannotApply) {
    const struct {
        const char* keys;
        const char* opener;  // keys, or "right-click" on line 2
        std::string clipboard;
        const char* enabled;
    } rows[] = {
        {"Tab Home", "Shift+F10", "", "Edit line|New line|Cut|Copy|Delete|Move down"},
        {"Tab Home Shift+Down", "Apps", "WAIT", "New line|Cut|Copy|Paste|Delete|Move down"},
        {"Tab End Delete", "Shift+F10", "", "New line|Undo"},
        {"Tab End Delete Ctrl+Z", "Shift+F10", "",
         "Edit line|New line|Cut|Copy|Delete|Move up|Redo"},
        {"Up Tab", "Shift+F10", "WAIT", ""},
        {"", "right-click", "", "Edit line|New line|Cut|Copy|Delete|Move up|Move down"},
        {"Tab Tab Tab Home", "Shift+F10", "", "Add to event|Copy"},
        {"Up Tab Tab Tab Home", "Apps", "", "Copy"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.keys) + " / " + row.opener);
        PutOnClipboard(row.clipboard);
        const Stick stick = WriteStick("menu", kEditProgram);
        Editor editor(stick.program);
        editor.Press(row.keys);
        if (std::string(row.opener) == "right-click") {
            RightClick(editor.Dialog(), editor.ItemPoint(IDC_CODE_LIST, 2));
        } else {
            editor.Press(row.opener);
        }
        EXPECT_EQ(EnabledMenuItems(editor), row.enabled);
        editor.Press("Escape");
        EXPECT_TRUE(editor.Running());
    }
    // Cut chosen by its letter, on the line that was right-clicked.
    PutOnClipboard("");
    const Stick stick = WriteStick("menu-cut", kEditProgram);
    Editor editor(stick.program);
    RightClick(editor.Dialog(), editor.ItemPoint(IDC_CODE_LIST, 2));
    EXPECT_EQ(EnabledMenuItems(editor), "Edit line|New line|Cut|Copy|Delete|Move up|Move down");
    editor.Screenshot("editor-context-menu");
    editor.Press("T");
    EXPECT_EQ(Lines(editor.Document()), "0 1 3 4 | | ");
    EXPECT_EQ(ClipboardText<char>(CF_TEXT), FiveLines({2})[0]);
    EXPECT_TRUE(editor.Running());
}

TEST(EditorWindow, KeyboardMovesKeepTheLineSelectedAndSaveWithCtrlS) {
    const Stick stick = WriteStick("keys-save", kEditProgram);
    Editor editor(stick.program);
    editor.Press("Tab Tab Tab Home Insert Shift+Tab Shift+Tab Home Alt+Down Alt+Down");
    EXPECT_EQ(editor.CodeList()[2].text, FiveLines({0})[0]);
    EXPECT_EQ(ListView_GetNextItem(editor.Control(IDC_CODE_LIST), -1, LVNI_SELECTED), 2);
    EXPECT_EQ(editor.Status(), "(F2 edits, Alt+Up/Down moves, Del deletes)");
    editor.Screenshot("editor-keyboard");
    // Enter and Escape still ask before closing, whichever control has the focus.
    editor.Press("Escape Tab Tab Enter");
    EXPECT_EQ(editor.Messages().Asked().size(), 2u);
    EXPECT_TRUE(editor.Running());
    editor.Press("Ctrl+S");
    EXPECT_EQ(editor.WaitForEnd(), IDC_SAVE);
    EXPECT_EQ(editor.Messages().Shown(), std::vector<std::string>{"Changes saved!"});
    EXPECT_EQ(ReadFile(stick.program),
              "// test program\r\n"
              "  //{ \"Five/Lines\"\r\n"
              "    PLAY ACTION+ LINE_1 // the second line\r\n"
              "    PLAY ACTION+ LINE_2 // the third line\r\n"
              "    PLAY ACTION+ LINE_0 // the first line\r\n"
              "    PLAY ACTION+ LINE_3 // the fourth line\r\n"
              "    PLAY ACTION+ LINE_4 // the fifth line\r\n"
              "    PLAY ACTION SIT\r\n"
              "    WAIT\r\n"
              "  //}\r\n"
              "  //{ \"Five/Empty\"\r\n"
              "  //}\r\n"
              "//++//} end\r\n");
}

// The palette's three columns and a dragged line's picture, as an owner sees
// them: one column width from the start, a picture as wide as its line.
TEST(EditorWindow, PaletteColumnsAndDragPicturesFitTheirTexts) {
    const Stick stick = WriteStick("widths", kEditProgram);
    Editor editor(stick.program);
    const HWND palette = editor.Control(IDC_PALETTE);
    const int atStart = ListView_GetColumnWidth(palette, 0);
    RECT client{};
    GetClientRect(palette, &client);
    EXPECT_GE(atStart * 3, client.right - 12);
    editor.Screenshot("editor-palette-at-start");
    editor.ChooseCategory(1);
    EXPECT_EQ(ListView_GetColumnWidth(palette, 0), atStart);
    editor.ChooseCategory(0);
    EXPECT_EQ(ListView_GetColumnWidth(palette, 0), atStart);
    editor.Screenshot("editor-palette-after-change");

    const HWND codeList = editor.Control(IDC_CODE_LIST);
    editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 0), editor.ItemPoint(IDC_CODE_LIST, 2));
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(editor.Drag().itemPicture.Get(), &width, &height);
    editor.Release();
    const int text = static_cast<int>(
        SendMessageA(codeList, LVM_GETSTRINGWIDTHA, 0,
                     reinterpret_cast<LPARAM>("PLAY ACTION+ LINE_0 // the first line")));
    GetClientRect(codeList, &client);
    EXPECT_GE(width, text);
    EXPECT_LT(width, text + 60);
    EXPECT_LT(width, client.right - 100);
}

// At 150% the text is half as large again: the kind pictures come at twice
// their size and the palette's columns still share its width.
// Every text the status line shows fits it on one line, a refused paste's
// with a four-digit line number.
void ExpectStatusTextsFit(const Editor& editor) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const UINT id :
         {IDS_STATUS_SELECT_ACTION, IDS_STATUS_LINE_DRAG, IDS_STATUS_PALETTE_DRAG,
          IDS_STATUS_LINE_KEYS, IDS_REFUSED_LINE_END, IDS_REFUSED_TOO_LONG, IDS_REFUSED_OPENS_EVENT,
          IDS_REFUSED_CLOSES_EVENT, IDS_REFUSED_SUBROUTINE, IDS_NOT_TOGETHER,
          IDS_PASTE_REFUSED_LINE_END, IDS_PASTE_REFUSED_TOO_LONG, IDS_PASTE_REFUSED_OPENS_EVENT,
          IDS_PASTE_REFUSED_CLOSES_EVENT, IDS_PASTE_REFUSED_SUBROUTINE}) {
        const std::string text = win32ui::FormatText(win32ui::LoadText(instance, id), {"1000"});
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_TRUE(FitsOneLine(editor.Control(IDC_STATUS), text)) << text;
    }
}

TEST(EditorWindow, StatusTextsFitTheStatusLine) {
    const Stick stick = WriteStick("status-fit", kEditProgram);
    ExpectStatusTextsFit(Editor(stick.program));
}

// Every label of the editor and of its About box fits its control, in the
// language the display language picks and at the text size of the screen.
TEST(LabelsFit, EditorAndAboutBox) {
    win32ui::ChooseLanguage("");
    const Stick stick = WriteStick("labels-fit", kEditProgram);
    Editor editor(stick.program);
    EXPECT_EQ(CutOffTexts(editor.Dialog()), std::vector<std::string>{});
    ExpectStatusTextsFit(editor);
    const std::string aboutCaption =
        TemplateTexts(GetModuleHandleA(nullptr), IDD_ABOUTBOX, win32ui::ShownLanguageId())[0];
    PostMessageA(editor.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const HWND about = WaitForThreadWindow(GetWindowThreadProcessId(editor.Dialog(), nullptr),
                                           nullptr, aboutCaption.c_str());
    ASSERT_NE(about, nullptr);
    const std::vector<std::string> texts =
        TemplateTexts(GetModuleHandleA(nullptr), IDD_ABOUTBOX, win32ui::ShownLanguageId());
    EXPECT_EQ(LabelTexts(about), std::vector<std::string>(texts.begin() + 1, texts.end()));
    EXPECT_EQ(CutOffTexts(about), std::vector<std::string>{});
    editor.Screenshot(win32ui::ShownLanguage() == win32ui::Language::Japanese
                          ? "editor-japanese-about"
                          : "editor-about");
    SendMessageA(about, WM_COMMAND, IDOK, 0);
    win32ui::SetLanguage(win32ui::Language::English);
}

TEST(Dpi144, PicturesAndColumnsFollowTheTextSize) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi != 144) {
        GTEST_SKIP() << "the screen has " << dpi << " dots per inch";
    }
    const char* sample = std::getenv("ZOLT_SAMPLE_STICK");
    const Stick stick = WriteStick("dpi144", kEditProgram);
    Editor editor(sample != nullptr ? std::string(sample) + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.R"
                                    : stick.program);
    const HWND palette = editor.Control(IDC_PALETTE);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(ListView_GetImageList(palette, LVSIL_SMALL), &width, &height);
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, 30);
    RECT client{};
    GetClientRect(palette, &client);
    EXPECT_EQ(ListView_GetColumnWidth(palette, 0), (client.right - 4) / 3);
    ExpectStatusTextsFit(editor);
    editor.Screenshot("editor-144dpi");
}

TEST(EditorWindow, ScreenshotsOfTheSampleStick) {
    const char* sample = std::getenv("ZOLT_SAMPLE_STICK");
    if (sample == nullptr) {
        GTEST_SKIP() << "ZOLT_SAMPLE_STICK not set";
    }
    const Stick stick = WriteStick("sample", "");
    std::filesystem::remove_all(stick.root);
    std::filesystem::copy(sample, stick.root, std::filesystem::copy_options::recursive);
    Editor editor(stick.program);
    ASSERT_TRUE(editor.Running());
    ASSERT_TRUE(editor.SelectTreeItem("Sight/Pink ball"));
    EXPECT_EQ(editor.CodeList().size(), 5u);
    editor.Screenshot("editor-sample");
    editor.DragTo(editor.ItemPoint(IDC_CODE_LIST, 4), editor.ControlPoint(IDC_EVENT_TREE, 70, 300));
    EXPECT_EQ(editor.Drag().feedback, DragState::Feedback::DelPicture);
    editor.Screenshot("editor-drag-delete");
    editor.Release();
    EXPECT_EQ(editor.CodeList().size(), 4u);
    editor.ChooseCategory(23);
    ASSERT_TRUE(editor.SelectTreeItem("Touch/Paw pads"));
    editor.Screenshot("editor-empty-event");
}

}  // namespace
}  // namespace window_test
