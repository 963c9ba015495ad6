// The settings console under Wine: the real dialog and its controls, real
// mouse and keyboard input, and the bytes on the stick afterwards.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <optional>
#include <string>

#include "console/messages.h"
#include "console/resources/resource.h"
#include "console_harness.h"
#include "win32ui/language.h"
#include "win32ui/text.h"
#include "input.h"
#include "process.h"

namespace window_test {
namespace {

std::string Plus(std::uint8_t byte9, std::size_t size = 64) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 3 + 1);
    }
    bytes.replace(0, 4, "\x03\x00\xB0\xA1", 4);
    bytes[9] = static_cast<char>(byte9);
    return bytes;
}

std::string WithWord(std::string bytes, int offset, int value) {
    bytes[static_cast<std::size_t>(offset)] = static_cast<char>(value & 0xFF);
    bytes[static_cast<std::size_t>(offset) + 1] = static_cast<char>((value >> 8) & 0xFF);
    return bytes;
}

// An ARRAY1.DAT with a pattern in every byte and the console's words set.
std::string Array1(std::initializer_list<std::pair<int, int>> words) {
    std::string bytes(8000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 7 + 5) & 0xFF);
    }
    for (const auto& [offset, value] : words) {
        bytes = WithWord(bytes, offset, value);
    }
    return bytes;
}

// Loads as gender Girl, all four switches on, sound Bark, camera 1/3/1,
// 57 learned and 12 forgotten things.
const std::string kArray1 = Array1({{40, 57},
                                    {42, 12},
                                    {44, 1},
                                    {46, 2},
                                    {48, 1},
                                    {50, 1},
                                    {52, 1},
                                    {54, 1},
                                    {56, 3},
                                    {58, 1},
                                    {60, 0x1234},
                                    {62, 1}});
const std::string kEndure = "1234\r\n";

TEST(ConsoleWindow, ShowsTheSettingsFromTheStick) {
    const std::string plus = Plus(0xF6);
    const ConsoleStick stick = WriteConsoleStick("show", &plus, &kArray1, &kEndure);
    Console console(stick.root);
    ASSERT_TRUE(console.Running());
    EXPECT_EQ(console.Text(IDC_LEARNING_STATUS),
              "57 Learned Things\n12 Forgotten Things\n1234 Endurance");
    EXPECT_EQ(console.TrackPosition(), 3);
    EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), "Loud");
    EXPECT_TRUE(console.Checked(IDC_GENDER_GIRL));
    EXPECT_FALSE(console.Checked(IDC_GENDER_AUTO));
    EXPECT_EQ(console.SoundSelection(), 1);
    for (int id : {IDC_MANUAL_CAMERA, IDC_DISABLE_NAME_REGISTRATION, IDC_DISABLE_ROLL_OVER,
                   IDC_ELEPHANT_MODE}) {
        EXPECT_TRUE(console.Checked(id)) << id;
    }
    EXPECT_EQ(console.Text(IDC_BALANCE), "1");
    EXPECT_EQ(console.Text(IDC_GAIN), "3");
    EXPECT_EQ(console.Text(IDC_SHUTTER), "1");
    char title[64] = "";
    GetWindowTextA(console.Dialog(), title, sizeof title);
    EXPECT_STREQ(title, "Pupalong 2.52 Console");
}

// Every label of the console fits its control, in the language the display
// language picks and at the text size of the screen. On a Japanese Windows
// the console speaks Japanese: the texts of its Japanese string table, and
// every message with the places of its English text.
TEST(LabelsFit, Console) {
    win32ui::ChooseLanguage("");
    const std::string plus = Plus(0xF6);
    const ConsoleStick stick = WriteConsoleStick("labels-fit", &plus, &kArray1, &kEndure);
    Console console(stick.root);
    ASSERT_TRUE(console.Running());
    EXPECT_EQ(CutOffTexts(console.Dialog()), std::vector<std::string>{});
    const HINSTANCE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), win32ui::LoadText(self, IDS_VOLUME_FIRST + 3));
    if (win32ui::ShownLanguage() == win32ui::Language::Japanese) {
        EXPECT_NE(console.Text(IDC_VOLUME_CAPTION), "Loud");
        for (int id = 0; id < pupdesk::kMessageCount; ++id) {
            const std::string text =
                win32ui::LoadText(self, IDS_SETTINGS_MESSAGE_FIRST + static_cast<UINT>(id));
            const std::string english(pupdesk::EnglishPattern(id));
            EXPECT_NE(text, english) << id;
            for (const char* place : {"%1", "%2"}) {
                EXPECT_EQ(text.find(place) == std::string::npos,
                          english.find(place) == std::string::npos)
                    << id << place;
            }
        }
        SaveScreenshot("pupdesk-japanese-console");
        // A save that fails says so in Japanese, the file in its place.
        SetFileAttributesA(stick.files.array1.c_str(), FILE_ATTRIBUTE_READONLY);
        console.ClickControl(IDOK);
        SetFileAttributesA(stick.files.array1.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(
            console.Failures().Shown(),
            std::vector<std::string>{win32ui::FormatText(
                win32ui::LoadText(self, IDS_SETTINGS_MESSAGE_FIRST + 1), {stick.files.array1})});
        EXPECT_TRUE(console.Running());
    }
    win32ui::SetLanguage(win32ui::Language::English);
}

TEST(ConsoleWindow, TheSliderNamesItsPosition) {
    const std::string plus = Plus(0xEE);
    const ConsoleStick stick = WriteConsoleStick("slider", &plus, &kArray1, &kEndure);
    Console console(stick.root);
    console.Key(VK_HOME);
    EXPECT_EQ(console.TrackPosition(), 0);
    EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), "Off");
    for (const char* name : {"Quiet", "Normal", "Loud", "Maximum"}) {
        console.Key(VK_RIGHT);
        EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), name);
    }
    EXPECT_EQ(console.TrackPosition(), 4);
}

TEST(ConsoleWindow, CameraControlsFollowManualCameraSettings) {
    const std::string array1 = WithWord(kArray1, 52, 0);
    const ConsoleStick stick = WriteConsoleStick("camera", nullptr, &array1, &kEndure);
    Console console(stick.root);
    const int camera[] = {IDC_BALANCE,    IDC_GAIN,          IDC_SHUTTER,     IDC_BALANCE_LABEL,
                          IDC_GAIN_LABEL, IDC_SHUTTER_LABEL, IDC_CAMERA_GROUP};
    for (bool on : {true, false, true}) {
        SCOPED_TRACE(on ? "checked" : "unchecked");
        if (on != console.Checked(IDC_MANUAL_CAMERA)) {
            console.ClickControl(IDC_MANUAL_CAMERA);
        }
        EXPECT_EQ(console.Checked(IDC_MANUAL_CAMERA), on);
        for (int id : camera) {
            EXPECT_EQ(console.Enabled(id), on) << id;
        }
        EXPECT_EQ((console.Style(IDC_CAMERA_GROUP) & BS_FLAT) != 0, on);
    }
}

TEST(ConsoleWindow, AnInvalidPlusDatKeepsTheVolumeAsItIs) {
    const std::string plus = Plus(0xFF, 63);
    const ConsoleStick stick = WriteConsoleStick("invalid", &plus, &kArray1, &kEndure);
    Console console(stick.root);
    for (int id : {IDC_VOLUME, IDC_VOLUME_CAPTION, IDC_VOLUME_GROUP}) {
        EXPECT_FALSE(console.Enabled(id)) << id;
    }
    EXPECT_EQ(console.Style(IDC_VOLUME_GROUP) & BS_FLAT, 0);
    EXPECT_EQ(console.TrackPosition(), 2);
    EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), "Normal");
    console.ClickControl(IDC_DEFAULTS);
    EXPECT_FALSE(console.Enabled(IDC_VOLUME));
    EXPECT_EQ(console.TrackPosition(), 2);
    console.ClickControl(IDOK);
    EXPECT_EQ(console.WaitForEnd(), 1);
    EXPECT_EQ(ReadAll(stick.files.plus), plus);
}

TEST(ConsoleWindow, DefaultsThenCancelWritesNothing) {
    const std::string plus = Plus(0xFF);
    const ConsoleStick stick = WriteConsoleStick("defaults", &plus, &kArray1, &kEndure);
    Console console(stick.root);
    const std::string status = console.Text(IDC_LEARNING_STATUS);
    console.ClickControl(IDC_DEFAULTS);
    EXPECT_EQ(console.TrackPosition(), 2);
    EXPECT_EQ(console.Text(IDC_VOLUME_CAPTION), "Normal");
    EXPECT_EQ(console.SoundSelection(), 0);
    EXPECT_TRUE(console.Checked(IDC_GENDER_AUTO));
    EXPECT_FALSE(console.Checked(IDC_GENDER_GIRL));
    for (int id : {IDC_MANUAL_CAMERA, IDC_DISABLE_NAME_REGISTRATION, IDC_DISABLE_ROLL_OVER,
                   IDC_ELEPHANT_MODE}) {
        EXPECT_FALSE(console.Checked(id)) << id;
    }
    EXPECT_FALSE(console.Enabled(IDC_BALANCE));
    EXPECT_EQ(console.Text(IDC_BALANCE), "3");
    EXPECT_EQ(console.Text(IDC_GAIN), "2");
    EXPECT_EQ(console.Text(IDC_SHUTTER), "2");
    EXPECT_EQ(console.Text(IDC_LEARNING_STATUS), status);
    console.ClickControl(IDCANCEL);
    EXPECT_EQ(console.WaitForEnd(), 2);
    EXPECT_EQ(ReadAll(stick.files.array1), kArray1);
    EXPECT_EQ(ReadAll(stick.files.plus), plus);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(stick.root)) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 3);
}

TEST(ConsoleWindow, SaveWritesTheChosenSettings) {
    const std::string plus = Plus(0x80);
    const std::string array1 = WithWord(kArray1, 50, 5);
    const ConsoleStick stick = WriteConsoleStick("save", &plus, &array1, &kEndure);
    Console console(stick.root);
    // A sound value outside the list shows no selection.
    EXPECT_EQ(console.SoundSelection(), -1);
    console.Key(VK_END);  // the slider has the focus: Maximum
    console.ClickControl(IDC_GENDER_BOY);
    console.ClickControl(IDC_ELEPHANT_MODE);
    console.ClickControl(IDC_DISABLE_ROLL_OVER);
    // Only digits go into a camera field; Enter there saves.
    console.ClickControl(IDC_GAIN);
    console.Key(VK_END);
    console.Key(VK_BACK);
    console.Type("a2b");
    EXPECT_EQ(console.Text(IDC_GAIN), "2");
    console.Key(VK_RETURN);
    EXPECT_EQ(console.WaitForEnd(), 1);
    EXPECT_TRUE(console.Failures().Shown().empty());

    std::string expected = array1;
    expected = WithWord(expected, 46, 1);       // Boy
    expected = WithWord(expected, 44, 0);       // elephant mode off
    expected = WithWord(expected, 48, 0);       // roll over no longer disabled
    expected = WithWord(expected, 50, 0xFFFF);  // no sound chosen
    expected = WithWord(expected, 56, 2);
    EXPECT_TRUE(ReadAll(stick.files.array1) == expected);
    std::string expectedPlus = plus;
    expectedPlus[5] = '\x80';
    expectedPlus[9] = expectedPlus[13] = expectedPlus[17] = '\xFF';
    EXPECT_EQ(ReadAll(stick.files.plus), expectedPlus);
}

TEST(ConsoleWindow, ShowsNegativeLearningCounts) {
    const std::string array1 = WithWord(WithWord(kArray1, 40, 0xFFFF), 42, 0xFFFE);
    const ConsoleStick stick = WriteConsoleStick("negative", nullptr, &array1, nullptr);
    Console console(stick.root);
    EXPECT_EQ(console.Text(IDC_LEARNING_STATUS),
              "-1 Learned Things\n-2 Forgotten Things\n0 Endurance");
}

TEST(ConsoleWindow, AFailedSaveKeepsTheDialogOpen) {
    const std::string plus = Plus(0xFF);
    const ConsoleStick stick = WriteConsoleStick("unreadable", &plus, nullptr, &kEndure);
    // Something that is there but cannot be read as a file.
    std::filesystem::create_directories(stick.files.array1);
    Console console(stick.root);
    console.ClickControl(IDOK);
    EXPECT_TRUE(console.Running());
    EXPECT_EQ(console.Failures().Shown(),
              std::vector<std::string>{"ERROR: Can't save the settings to " + stick.files.array1 +
                                       "\nIt could not be read when the console started, so it "
                                       "was left as it was."});
    EXPECT_EQ(ReadAll(stick.files.plus), plus);
    console.Key(VK_ESCAPE);
    EXPECT_EQ(console.WaitForEnd(), 2);
}

TEST(ConsoleWindow, SaveLeavesAReadOnlyFileAlone) {
    const std::string plus = Plus(0xFF);
    for (const bool lockArray1 : {true, false}) {
        const ConsoleStick stick =
            WriteConsoleStick(lockArray1 ? "ro-array1" : "ro-plus", &plus, &kArray1, &kEndure);
        const std::string& locked = lockArray1 ? stick.files.array1 : stick.files.plus;
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
        {
            Console console(stick.root);
            console.ClickControl(IDOK);
            EXPECT_TRUE(console.Running());
            EXPECT_EQ(console.Failures().Shown(),
                      std::vector<std::string>{
                          (lockArray1 ? "ERROR: Can't save the settings to "
                                      : "ERROR: Can't save the volume to ") +
                          locked + "\nThe file is read-only, so it was left as it was."});
        }
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadAll(stick.files.array1), kArray1);
        EXPECT_EQ(ReadAll(stick.files.plus), plus);
    }
}

TEST(ConsoleWindow, ScreenshotOfTheSampleStick) {
    const char* sample = std::getenv("ZOLT_SAMPLE_STICK");
    if (sample == nullptr) {
        GTEST_SKIP() << "ZOLT_SAMPLE_STICK not set";
    }
    const ConsoleStick stick = WriteConsoleStick("sample", nullptr, nullptr, nullptr);
    std::filesystem::remove_all(stick.root);
    std::filesystem::copy(sample, stick.root, std::filesystem::copy_options::recursive);
    Console console(stick.root);
    EXPECT_EQ(console.Text(IDC_LEARNING_STATUS),
              "57 Learned Things\n12 Forgotten Things\n1234 Endurance");
    SaveScreenshot("pupdesk-sample");
}

// The sample stick copied to drive P:, for the real Pupdesk.exe started one
// level below its root; empty when the tests were not told where things are.
struct ExeStick {
    std::string exe;
    std::string root;  // "P:\\"
    pupdesk::SettingsFiles files;
    std::string array1;  // the sample's ARRAY1.DAT and PLUS.DAT
    std::string plus;
};
std::optional<ExeStick> SampleOnDriveP() {
    const char* drive = std::getenv("ZOLT_PUPDESK_DRIVE");
    const char* exe = std::getenv("ZOLT_PUPDESK_EXE");
    const char* sample = std::getenv("ZOLT_SAMPLE_STICK");
    if (drive == nullptr || exe == nullptr || sample == nullptr) {
        return std::nullopt;
    }
    const std::string root = std::string(drive) + "\\";
    std::filesystem::copy(sample, root,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    std::filesystem::create_directories(root + "TOOLS");
    const pupdesk::SettingsFiles files = pupdesk::FilesBelow(std::string(drive));
    return ExeStick{exe, root, files, ReadAll(files.array1), ReadAll(files.plus)};
}

// The real Pupdesk.exe finds its files from the root of the current drive:
// drive P: is a scratch stick, and the program starts one level below its root.
TEST(PupdeskExe, SavesAndCancelsOnTheStickItStartsFrom) {
    const std::optional<ExeStick> stick = SampleOnDriveP();
    if (!stick) {
        GTEST_SKIP() << "ZOLT_PUPDESK_DRIVE, ZOLT_PUPDESK_EXE or ZOLT_SAMPLE_STICK not set";
    }
    const std::string& root = stick->root;
    const pupdesk::SettingsFiles& files = stick->files;
    const std::string& array1 = stick->array1;
    const std::string& plus = stick->plus;
    ASSERT_EQ(array1.size(), 8000u);

    const std::string commandLine = Quoted(stick->exe);
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "Save" : "Cancel");
        Process pupdesk(commandLine, root + "TOOLS");
        ASSERT_TRUE(pupdesk.started);
        const HWND dialog = pupdesk.WaitForWindow("Pupalong 2.52 Console");
        ASSERT_NE(dialog, nullptr);
        char status[128] = "";
        GetWindowTextA(GetDlgItem(dialog, IDC_LEARNING_STATUS), status, sizeof status);
        EXPECT_STREQ(status, "57 Learned Things\n12 Forgotten Things\n1234 Endurance");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0), 2);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        EXPECT_EQ(pupdesk.WaitForExit(), button == IDOK ? 1u : 2u);
        // The sample's settings are all in range: saved unchanged, they are
        // written back byte for byte.
        EXPECT_TRUE(ReadAll(files.array1) == array1);
        EXPECT_EQ(ReadAll(files.plus), plus);
    }
}

// A save cut short between the two steps of a replace left both files
// missing and their new copies beside them: one question names both, and
// Yes puts them in place before the console reads them.
TEST(PupdeskExe, OffersSettingsThatASaveLeftBesideTheirPlaces) {
    const std::optional<ExeStick> stick = SampleOnDriveP();
    if (!stick) {
        GTEST_SKIP() << "ZOLT_PUPDESK_DRIVE, ZOLT_PUPDESK_EXE or ZOLT_SAMPLE_STICK not set";
    }
    const std::string& root = stick->root;
    const pupdesk::SettingsFiles& files = stick->files;
    const std::string& array1 = stick->array1;
    const std::string& plus = stick->plus;
    const std::string array1Temp = root + "OPEN-R\\APP\\PC\\AMS\\ARRAY1.$$$";
    const std::string plusTemp = root + "CUSTOM\\PLUS.$$$";
    ASSERT_TRUE(MoveFileA(files.array1.c_str(), array1Temp.c_str()));
    ASSERT_TRUE(MoveFileA(files.plus.c_str(), plusTemp.c_str()));

    Process pupdesk(Quoted(stick->exe), root + "TOOLS");
    ASSERT_TRUE(pupdesk.started);
    const HWND question = pupdesk.WaitForWindow("Pupdesk");
    ASSERT_NE(question, nullptr);
    std::string texts;
    for (const std::string& text : ChildTexts(question)) {
        texts += text + "|";
    }
    // The console names its files from the root of the drive it runs on.
    const pupdesk::SettingsFiles shown = pupdesk::FilesBelow("");
    std::string first =
        "These files are missing, and the new copies that the console saved were "
        "found whole beside them:\n\n";
    first.append(shown.array1).append("\nfound as \\OPEN-R\\APP\\PC\\AMS\\ARRAY1.$$$");
    first.append(" (8000 bytes, written ");
    std::string second = "\n";
    second.append(shown.plus).append("\nfound as \\CUSTOM\\PLUS.$$$");
    second.append(" (64 bytes, written ");
    for (const std::string& line :
         {first, second, std::string(")\n\nPut the new copies in place?|")}) {
        EXPECT_NE(texts.find(line), std::string::npos) << line << "\nin: " << texts;
    }
    Settle(question);
    Sleep(500);
    SaveScreenshot("pupdesk-unplaced-settings");
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    const HWND dialog = pupdesk.WaitForWindow("Pupalong 2.52 Console");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_VOLUME, TBM_GETPOS, 0, 0), 2);
    EXPECT_TRUE(ReadAll(files.array1) == array1);
    EXPECT_EQ(ReadAll(files.plus), plus);
    EXPECT_FALSE(std::filesystem::exists(array1Temp));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(pupdesk.WaitForExit(), 2u);
}

}  // namespace
}  // namespace window_test
