// Japanese Windows: the ANSI code page is 932 (Shift-JIS), where the second
// byte of a character can be 0x5C, the backslash. Wine plays it with
// LANG=ja_JP.UTF-8; elsewhere these tests are skipped.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/resources/resource.h"
#include "editor/resources/resource.h"
#include "editor/window/run_editor.h"
#include "harness.h"
#include "process.h"

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
    const HWND editor = zolt.WaitForWindow("ZOLT - Simple RCODE Customization");
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

template <typename Char>
std::basic_string<Char> ClipboardText(UINT format) {
    std::basic_string<Char> text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(format)) {
            text = static_cast<const Char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
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
    const HWND dialog = pupdesk.WaitForWindow("Pupalong 2.52 Console");
    ASSERT_NE(dialog, nullptr);
    char status[128] = "";
    GetWindowTextA(GetDlgItem(dialog, IDC_LEARNING_STATUS), status, sizeof status);
    EXPECT_STREQ(status, "57 Learned Things\n12 Forgotten Things\n1234 Endurance");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(pupdesk.WaitForExit(), 1u);
    EXPECT_TRUE(ReadFile(root + ams + "ARRAY1.DAT") == array1);
    EXPECT_FALSE(FileExists(root + ams + "ARRAY1.$$$"));
}

}  // namespace
}  // namespace window_test
