// The real zolt.exe, started as an owner starts it: from a folder one level
// below the stick's root, with or without a program path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/resources/resource.h"
#include "harness.h"
#include "process.h"
#include "win32ui/language.h"
#include "win32ui/text.h"

namespace window_test {
namespace {

std::string ZoltExe() {
    const char* exe = std::getenv("ZOLT_EXE");
    return exe != nullptr ? exe : "";
}

// zolt.exe's command line: its name in quotes, then the argument text.
std::string CommandLine(const std::string& argumentText) {
    std::string line(1, '"');
    line.append(ZoltExe());
    line.push_back('"');
    line.append(argumentText);
    return line;
}

// The texts of a window's children, joined by "|".
std::string JoinedChildTexts(HWND hwnd) {
    std::string texts;
    for (const std::string& text : ChildTexts(hwnd)) {
        texts += text + "|";
    }
    return texts;
}

BOOL CALLBACK CollectWideText(HWND child, LPARAM out) {
    wchar_t text[1024] = L"";
    GetWindowTextW(child, text, 1024);
    *reinterpret_cast<std::wstring*>(out) += std::wstring(text) + L"|";
    return TRUE;
}

// The texts of a window's children as UTF-16, whatever the code page.
std::wstring JoinedWideTexts(HWND hwnd) {
    std::wstring texts;
    EnumChildWindows(hwnd, CollectWideText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST(ZoltExe, OpensTheStickItIsStartedOn) {
    if (ZoltExe().empty()) {
        GTEST_SKIP() << "ZOLT_EXE not set";
    }
    const Stick stick = WriteStick("exe-open", "//{ \"Touch/Head\"\r\nWAIT\r\n//}\r\n");
    std::filesystem::create_directories(stick.root + "\\ZOLT");
    Process zolt(CommandLine(""), stick.root + "\\ZOLT");
    ASSERT_TRUE(zolt.started);
    const HWND editor = zolt.WaitForWindow("ZOLT - Simple RCODE Customization");
    ASSERT_NE(editor, nullptr);
    PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(zolt.WaitForExit(), 0u);
}

TEST(ZoltExe, ShowsAStartupFailureInAMessageBox) {
    if (ZoltExe().empty()) {
        GTEST_SKIP() << "ZOLT_EXE not set";
    }
    const Stick stick = WriteStick("exe-fail", "WAIT\r\n");
    std::filesystem::create_directories(stick.root + "\\ZOLT");
    // The argument is taken whole: the path with its blank and no quotes,
    // after a language switch, which picks Japanese whatever the code page.
    const std::string other = stick.root + "\\MY DOG\\R-CODE.R";
    win32ui::SetLanguage(win32ui::Language::Japanese);
    const std::wstring japanese =
        win32ui::FormatWideText(win32ui::LoadWideText(GetModuleHandleA(nullptr), IDS_MESSAGE_FIRST),
                                {win32ui::WideText(other)});
    win32ui::SetLanguage(win32ui::Language::English);
    const std::wstring english = win32ui::WideText("ERROR: Can't open R-CODE.R file\n" + other);
    const struct {
        const char* before;
        std::wstring message;
    } rows[] = {{"   ", english}, {"/lang:en   ", english}, {"/lang:ja ", japanese}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        Process zolt(CommandLine(row.before + other), stick.root + "\\ZOLT");
        ASSERT_TRUE(zolt.started);
        const HWND box = zolt.WaitForWindow("zolt");
        ASSERT_NE(box, nullptr);
        EXPECT_NE(JoinedWideTexts(box).find(row.message + L"|"), std::wstring::npos)
            << JoinedChildTexts(box);
        if (row.message == japanese) {
            Settle(box);
            Sleep(500);
            SaveScreenshot("zolt-forced-japanese-error");
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(zolt.WaitForExit(), 0u);
    }
}

// A save cut short between the two steps of its last replace left the
// program file missing and the new program beside it: zolt asks first, puts
// it in place on Yes and opens it; on No it says the file is missing.
TEST(ZoltExe, OffersAProgramThatASaveLeftBesideItsPlace) {
    if (ZoltExe().empty()) {
        GTEST_SKIP() << "ZOLT_EXE not set";
    }
    const std::string program = "//{ \"Touch/Head\"\r\nWAIT\r\n//}\r\n";
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        const Stick stick =
            WriteStick(answer == IDYES ? "exe-unplaced-yes" : "exe-unplaced-no", program);
        const std::string temp = stick.program.substr(0, stick.program.size() - 1) + "$$$";
        ASSERT_TRUE(MoveFileA(stick.program.c_str(), temp.c_str()));
        std::filesystem::create_directories(stick.root + "\\ZOLT");
        Process zolt(CommandLine(""), stick.root + "\\ZOLT");
        ASSERT_TRUE(zolt.started);
        const HWND question = zolt.WaitForWindow("zolt");
        ASSERT_NE(question, nullptr);
        const std::string texts = JoinedChildTexts(question);
        EXPECT_NE(texts.find("The program file is missing:\n" + stick.program +
                             "\n\nA program that zolt saved was found beside it as\n" + temp +
                             "\n(29 bytes, written "),
                  std::string::npos)
            << texts;
        EXPECT_NE(texts.find("). The memory stick was probably pulled out while zolt was saving "
                             "it.\n\nPut it in place as R-CODE.R?|"),
                  std::string::npos)
            << texts;
        if (answer == IDYES) {
            Settle(question);
            Sleep(500);
            SaveScreenshot("zolt-unplaced-program");
        }
        PostMessageA(question, WM_COMMAND, answer, 0);
        if (answer == IDYES) {
            const HWND editor = zolt.WaitForWindow("ZOLT - Simple RCODE Customization");
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(ReadFile(stick.program), program);
            EXPECT_FALSE(FileExists(temp));
            PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
        } else {
            Sleep(500);
            const HWND box = zolt.WaitForWindow("zolt");
            ASSERT_NE(box, nullptr);
            EXPECT_NE(JoinedChildTexts(box).find("ERROR: Can't open R-CODE.R file\n" +
                                                 stick.program + "|"),
                      std::string::npos);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            EXPECT_EQ(ReadFile(temp), program);
            EXPECT_FALSE(FileExists(stick.program));
        }
        EXPECT_EQ(zolt.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace window_test
