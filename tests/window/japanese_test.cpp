// Japanese Windows: the ANSI code page is 932 (Shift-JIS), where the second
// byte of a character can be 0x5C, the backslash. Wine plays it with
// LANG=ja_JP.UTF-8; elsewhere these tests are skipped.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/resources/resource.h"
#include "editor/document/messages.h"
#include "editor/resources/resource.h"
#include "editor/window/run_editor.h"
#include "harness.h"
#include "process.h"
#include "win32ui/language.h"
#include "win32ui/text.h"

namespace window_test {
namespace {

const std::string kSoftware = "\x83\x5C\x83\x74\x83\x67";  // ソフト: its first trail byte is 0x5C
const std::string kDisplay = "\x95\x5C\x8E\xA6";           // 表示
const std::string kSo = "\x83\x5C";                        // ソ

// Event names and comments in Shift-JIS, the body lines as a save writes them.
const std::string kJapaneseProgram = "// " + kSoftware + " program\r\n" + "//{ \"" + kSoftware +
                                     "/" + kDisplay + "\"\r\n" + "  WAIT // " + kDisplay + "\r\n" +
                                     "//}\r\n" + "//{ \"" + kSo + "\"\r\n" +
                                     "  PLAY ACTION SIT // " + kSo + "\r\n" + "//}\r\n";

bool JapaneseWindows() {
    return GetACP() == 932;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Runs a console program to its end; its output lands in `output`.
DWORD RunCapturing(const std::string& commandLine, const std::string& folder, std::string& output) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string outPath = std::string(temp) + "zolt-window-tests-output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    DWORD code = 12345;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                       &startup, &info)) {
        WaitForSingleObject(info.hProcess, 60000);
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(out);
    output = ReadFile(outPath);
    return code;
}

// A stick with the Japanese program and a folder ソフト one level below its
// root, made through the code page as an owner's Explorer would.
Stick JapaneseStick(const std::string& name) {
    const Stick stick = WriteStick(name, kJapaneseProgram);
    CreateDirectoryA((stick.root + "\\" + kSoftware).c_str(), nullptr);
    return stick;
}

TEST(Japanese, ZoltcheckFindsTheProgramFromAFolderWithATrailBackslash) {
    if (!JapaneseWindows() || Env("ZOLT_ZOLTCHECK_EXE").empty()) {
        GTEST_SKIP() << "not code page 932, or ZOLT_ZOLTCHECK_EXE not set";
    }
    const Stick stick = JapaneseStick("jp-check");
    std::string output;
    const std::string exe = Quoted(Env("ZOLT_ZOLTCHECK_EXE"));
    EXPECT_EQ(RunCapturing(exe, stick.root + "\\" + kSoftware, output), 0u) << output;
    EXPECT_EQ(output, "OK: 2 ZOLT records (ERS-210)\n");
    // A program that is not there is named with the folder whole.
    EXPECT_EQ(RunCapturing(exe + " MISSING.R", stick.root + "\\" + kSoftware, output), 1u);
    EXPECT_EQ(output, "ERROR: Can't open R-CODE.R file\n" + stick.root + "\\" + kSoftware +
                          "\\MISSING.R\n");
}

TEST(Japanese, ZoltOpensTheStickFromThatFolder) {
    if (!JapaneseWindows() || Env("ZOLT_EXE").empty()) {
        GTEST_SKIP() << "not code page 932, or ZOLT_EXE not set";
    }
    const Stick stick = JapaneseStick("jp-open");
    Process zolt(Quoted(Env("ZOLT_EXE")), stick.root + "\\" + kSoftware);
    ASSERT_TRUE(zolt.started);
    // Its caption in the display language.
    win32ui::ChooseLanguage("");
    const HWND editor = zolt.WaitForWindow(
        TemplateTexts(GetModuleHandleA(nullptr), IDD_EDITOR, win32ui::ShownLanguageId())[0]);
    win32ui::SetLanguage(win32ui::Language::English);
    ASSERT_NE(editor, nullptr);
    PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(zolt.WaitForExit(), 0u);
}

TEST(Japanese, TheEditorShowsShiftJisNamesAndSavesThemByteForByte) {
    if (!JapaneseWindows()) {
        GTEST_SKIP() << "not code page 932";
    }
    zolt::SetActiveLeadBytes(zolt::SystemLeadBytes());
    const Stick stick = JapaneseStick("jp-edit");
    Editor editor(stick.program);
    EXPECT_EQ(editor.Tree(),
              (std::vector<TreeNode>{{kSoftware, -1, {{kDisplay, 0, {}}}}, {kSo, 1, {}}}));
    ASSERT_TRUE(editor.SelectTreeItem(kSoftware + "/" + kDisplay));
    EXPECT_EQ(editor.CodeLines(), std::vector<std::string>{"WAIT // " + kDisplay});
    editor.Screenshot("editor-japanese");
    ASSERT_TRUE(editor.SelectTreeItem(kSo));
    EXPECT_EQ(editor.CodeLines(), std::vector<std::string>{"PLAY ACTION SIT // " + kSo});
    editor.Click(editor.ControlPoint(IDC_SAVE, 20, 8));
    EXPECT_EQ(editor.WaitForEnd(), IDC_SAVE);
    EXPECT_EQ(editor.Messages().Shown(), std::vector<std::string>{"File saved (no changes made)"});
    EXPECT_EQ(ReadFile(stick.program), kJapaneseProgram);
    EXPECT_EQ(ReadFile(stick.root + "\\OPEN-R\\APP\\PC\\AMS\\R-CODE.BAK"), kJapaneseProgram);
    zolt::SetActiveLeadBytes(zolt::LeadBytes::SingleByte());
}

// Puts one text format on the clipboard, as another program would.
void PutOnClipboard(UINT format, const void* text, std::size_t bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    CopyMemory(GlobalLock(data), text, bytes);
    GlobalUnlock(data);
    SetClipboardData(format, data);
    CloseClipboard();
}

// Shift-JIS lines go through the clipboard byte for byte: a paste takes the
// ANSI text, and a copy gives it back as ANSI text and as the UTF-16 text
// that Notepad reads.
TEST(Japanese, PastesAndCopiesShiftJisLinesByteForByte) {
    if (!JapaneseWindows()) {
        GTEST_SKIP() << "not code page 932";
    }
    zolt::SetActiveLeadBytes(zolt::SystemLeadBytes());
    const Stick stick = JapaneseStick("jp-paste");
    Editor editor(stick.program);
    ASSERT_TRUE(editor.SelectTreeItem(kSoftware + "/" + kDisplay));
    const std::string pasted =
        "WAIT 500 // " + kSoftware + "\r\nSET Warn 1 // " + kDisplay + "\r\n";
    PutOnClipboard(CF_TEXT, pasted.c_str(), pasted.size() + 1);
    editor.Press("Tab Home Ctrl+V");
    EXPECT_EQ(editor.CodeLines(),
              (std::vector<std::string>{"WAIT // " + kDisplay, "WAIT 500 // " + kSoftware,
                                        "SET Warn 1 // " + kDisplay}));
    PutOnClipboard(CF_TEXT, "", 1);
    editor.Press("Ctrl+C");
    EXPECT_EQ(ClipboardText<char>(CF_TEXT),
              "WAIT 500 // " + kSoftware + "\r\nSET Warn 1 // " + kDisplay);
    EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT),
              L"WAIT 500 // \u30BD\u30D5\u30C8\r\nSET Warn 1 // \u8868\u793A");
    // Text from a program that speaks UTF-16 arrives in the code page too.
    const std::wstring wide = L"WAIT // \u30BD";
    PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    editor.Press("End Ctrl+V");
    EXPECT_EQ(editor.CodeLines().back(), "WAIT // " + kSo);
    zolt::SetActiveLeadBytes(zolt::LeadBytes::SingleByte());
}

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The places (%1 to %9) a text names, in order.
std::string Places(const std::string& text) {
    std::string places;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            places += text[i + 1];
        }
    }
    std::sort(places.begin(), places.end());
    return places;
}

// The editor in the display language: its dialog's texts are those of the
// Japanese template, and its status line, category box and menus take the
// Japanese string table and menus; every message names the same places as
// its English text.
TEST(Japanese, TheEditorSpeaksJapanese) {
    if (!JapaneseWindows()) {
        GTEST_SKIP() << "not code page 932";
    }
    win32ui::ChooseLanguage("");
    ASSERT_EQ(win32ui::ShownLanguage(), win32ui::Language::Japanese);
    const HINSTANCE self = GetModuleHandleA(nullptr);
    const Stick stick = JapaneseStick("jp-words");
    Editor editor(stick.program);
    std::vector<std::string> shown = LabelTexts(editor.Dialog(), {IDC_STATUS});
    char caption[256] = "";
    GetWindowTextA(editor.Dialog(), caption, sizeof caption);
    shown.insert(shown.begin(), caption);
    const std::vector<std::string> japanese =
        TemplateTexts(self, IDD_EDITOR, kJapanese, {IDC_STATUS});
    EXPECT_EQ(shown, japanese);
    EXPECT_NE(japanese, TemplateTexts(self, IDD_EDITOR, kEnglish, {IDC_STATUS}));
    EXPECT_EQ(editor.Status(), win32ui::LoadText(self, IDS_STATUS_SELECT_ACTION));
    const HWND categories = editor.Control(IDC_CATEGORY);
    for (int i = 0; i < 24; ++i) {
        char item[256] = "";
        SendMessageA(categories, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(item, win32ui::LoadText(self, IDS_CATEGORY_FIRST + static_cast<UINT>(i)));
    }
    // The code list's menu, as the owner opens it.
    editor.Press("Tab Home Shift+F10");
    const HWND popup =
        WaitForThreadWindow(GetWindowThreadProcessId(editor.Dialog(), nullptr), "#32768", nullptr);
    ASSERT_NE(popup, nullptr);
    char first[64] = "";
    GetMenuStringA(reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)), 0, first,
                   sizeof first, MF_BYPOSITION);
    const HMENU menu = win32ui::LoadShownMenu(self, IDR_LINE_MENU);
    char expected[64] = "";
    GetMenuStringA(GetSubMenu(menu, 0), 0, expected, sizeof expected, MF_BYPOSITION);
    DestroyMenu(menu);
    EXPECT_STREQ(first, expected);
    editor.Screenshot("editor-japanese-menu");
    editor.Press("Escape");
    editor.Screenshot("editor-japanese");

    for (int id = 0; id < zolt::kMessageCount; ++id) {
        const std::string text = win32ui::LoadText(self, IDS_MESSAGE_FIRST + static_cast<UINT>(id));
        EXPECT_NE(text, std::string(zolt::EnglishPattern(id))) << id;
        EXPECT_EQ(Places(text), Places(std::string(zolt::EnglishPattern(id)))) << id;
    }
    win32ui::SetLanguage(win32ui::Language::English);
}

// Start-up and save failures in Japanese, their paths and line numbers in
// their places.
TEST(Japanese, StartupAndSaveMessagesSpeakJapanese) {
    if (!JapaneseWindows()) {
        GTEST_SKIP() << "not code page 932";
    }
    zolt::SetActiveLeadBytes(zolt::SystemLeadBytes());
    win32ui::SetLanguage(win32ui::Language::Japanese);
    const HINSTANCE self = GetModuleHandleA(nullptr);
    auto text = [self](int id) {
        return win32ui::LoadText(self, IDS_MESSAGE_FIRST + static_cast<UINT>(id));
    };
    const Stick bad = WriteStick("jp-messages", "WAIT\r\n//}\r\n");
    const Stick plain = WriteStick("jp-messages-plain", "WAIT\r\n");
    const struct {
        std::string program;
        std::string message;
    } rows[] = {
        {bad.program, win32ui::FormatText(text(1), {bad.program, "2", text(13)})},
        {plain.program, win32ui::FormatText(text(2), {plain.program})},
        {bad.root + "\\" + kDisplay + ".R",
         win32ui::FormatText(text(0), {bad.root + "\\" + kDisplay + ".R"})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.program);
        CapturedMessages messages;
        EXPECT_EQ(zolt::StartEditor(self, row.program, messages), 0);
        EXPECT_EQ(messages.Shown(), std::vector<std::string>{row.message});
    }
    const Stick stick = JapaneseStick("jp-read-only");
    SetFileAttributesA(stick.program.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        Editor editor(stick.program);
        editor.Press("Ctrl+S");
        EXPECT_EQ(editor.Messages().Shown(),
                  std::vector<std::string>{win32ui::FormatText(text(24), {stick.program})});
        EXPECT_TRUE(editor.Running());
    }
    SetFileAttributesA(stick.program.c_str(), FILE_ATTRIBUTE_NORMAL);
    win32ui::SetLanguage(win32ui::Language::English);
    zolt::SetActiveLeadBytes(zolt::LeadBytes::SingleByte());
}

// zolt.exe on a missing program file: its message box speaks the display
// language, unless ZOLT_LANGUAGE or the /lang: switch picks English.
TEST(Japanese, TheSwitchAndTheEnvironmentPickTheLanguage) {
    const std::string exe = Env("ZOLT_EXE");
    if (!JapaneseWindows() || exe.empty()) {
        GTEST_SKIP() << "not code page 932, or ZOLT_EXE not set";
    }
    const Stick stick = JapaneseStick("jp-switch");
    const std::string missing = stick.root + "\\" + kSoftware + "\\MISSING.R";
    win32ui::SetLanguage(win32ui::Language::Japanese);
    const std::string japanese = win32ui::FormatText(
        win32ui::LoadText(GetModuleHandleA(nullptr), IDS_MESSAGE_FIRST), {missing});
    win32ui::SetLanguage(win32ui::Language::English);
    const std::string english = "ERROR: Can't open R-CODE.R file\n" + missing;
    const struct {
        const char* arguments;
        const char* environment;  // ZOLT_LANGUAGE, or none
        std::string message;
    } rows[] = {
        {"MISSING.R", nullptr, japanese},
        {"/lang:en MISSING.R", nullptr, english},
        {"MISSING.R", "en", english},
        {"/lang:ja MISSING.R", "en", japanese},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        SetEnvironmentVariableA("ZOLT_LANGUAGE", row.environment);
        Process zolt(Quoted(exe) + " " + row.arguments, stick.root + "\\" + kSoftware);
        SetEnvironmentVariableA("ZOLT_LANGUAGE", nullptr);
        ASSERT_TRUE(zolt.started);
        const HWND box = zolt.WaitForWindow("zolt");
        ASSERT_NE(box, nullptr);
        const std::vector<std::string> texts = ChildTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), row.message), texts.end()) << texts.size();
        if (row.environment == nullptr && row.message == japanese) {
            Settle(box);
            Sleep(500);
            SaveScreenshot("zolt-japanese-error");
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(zolt.WaitForExit(), 0u);
    }
}

// Pupdesk started from a folder 表示 on a stick mapped as drive P: reads and
// saves the stick's files.
TEST(Japanese, PupdeskSavesFromAFolderWithATrailBackslash) {
    const std::string drive = Env("ZOLT_PUPDESK_DRIVE");
    const std::string exe = Env("ZOLT_PUPDESK_EXE");
    const std::string sample = Env("ZOLT_SAMPLE_STICK");
    if (!JapaneseWindows() || drive.empty() || exe.empty() || sample.empty()) {
        GTEST_SKIP() << "not code page 932, or the drive, Pupdesk or the sample not set";
    }
    const std::string root = drive + "\\";
    const std::string ams = "OPEN-R\\APP\\PC\\AMS\\";
    for (const char* file : {"CUSTOM\\PLUS.DAT", "OPEN-R\\APP\\PC\\AMS\\ARRAY1.DAT",
                             "OPEN-R\\APP\\PC\\AMS\\ENDURE.SAV"}) {
        const std::string to = root + file;
        CreateDirectoryA((root + "CUSTOM").c_str(), nullptr);
        for (const char* dir :
             {"OPEN-R", "OPEN-R\\APP", "OPEN-R\\APP\\PC", "OPEN-R\\APP\\PC\\AMS"}) {
            CreateDirectoryA((root + dir).c_str(), nullptr);
        }
        ASSERT_TRUE(CopyFileA((sample + "\\" + file).c_str(), to.c_str(), FALSE)) << to;
    }
    ASSERT_TRUE(CreateDirectoryA((root + kDisplay).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string array1 = ReadFile(root + ams + "ARRAY1.DAT");
    ASSERT_EQ(array1.size(), 8000u);
    Process pupdesk(Quoted(exe), root + kDisplay);
    ASSERT_TRUE(pupdesk.started);
    // The console in Japanese: the texts of its Japanese template, the
    // learning status from its Japanese string table.
    const HMODULE console = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(console, nullptr);
    const std::vector<int> filled = {IDC_VOLUME_CAPTION, IDC_LEARNING_STATUS};
    const std::vector<std::string> japanese =
        TemplateTexts(console, IDD_CONSOLE, kJapanese, filled);
    EXPECT_NE(japanese, TemplateTexts(console, IDD_CONSOLE, kEnglish, filled));
    const HWND dialog = pupdesk.WaitForWindow(japanese[0]);
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> shown = LabelTexts(dialog, filled);
    shown.insert(shown.begin(), japanese[0]);
    EXPECT_EQ(shown, japanese);
    win32ui::SetLanguage(win32ui::Language::Japanese);
    const std::string expected =
        win32ui::FormatText(win32ui::LoadText(console, IDS_LEARNING_STATUS), {"57", "12", "1234"});
    win32ui::SetLanguage(win32ui::Language::English);
    FreeLibrary(console);
    char status[256] = "";
    GetWindowTextA(GetDlgItem(dialog, IDC_LEARNING_STATUS), status, sizeof status);
    EXPECT_EQ(status, expected);
    Settle(dialog);
    Sleep(500);
    SaveScreenshot("pupdesk-japanese");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(pupdesk.WaitForExit(), 1u);
    EXPECT_TRUE(ReadFile(root + ams + "ARRAY1.DAT") == array1);
    EXPECT_FALSE(FileExists(root + ams + "ARRAY1.$$$"));
}

}  // namespace
}  // namespace window_test
