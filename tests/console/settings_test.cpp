#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "console/settings.h"
#include "unit/failing_file_ops.h"
#include "unit/test_support.h"

namespace pupdesk {
namespace {

using test_support::FileExists;
using test_support::ReadBytes;
using test_support::WriteBytes;

// A scratch stick and the three files' paths on it.
struct Stick {
    std::string root = test_support::ScratchDir("pupdesk");
    SettingsFiles files = FilesBelow(root);
};

std::string Plus(std::uint8_t byte9, std::size_t size = 64) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 3 + 1);
    }
    bytes[0] = '\x03';
    bytes[1] = '\x00';
    bytes[2] = '\xB0';
    bytes[3] = '\xA1';
    bytes[9] = static_cast<char>(byte9);
    return bytes;
}

// An ARRAY1.DAT with a recognisable pattern and the given words set.
std::string Array1(std::initializer_list<std::pair<int, int>> words, std::size_t size = 8000) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 5) & 0xFF);
    }
    for (const auto& [offset, value] : words) {
        bytes[static_cast<std::size_t>(offset)] = static_cast<char>(value & 0xFF);
        bytes[static_cast<std::size_t>(offset) + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
    return bytes;
}

std::string WithWord(std::string bytes, int offset, int value) {
    bytes[static_cast<std::size_t>(offset)] = static_cast<char>(value & 0xFF);
    bytes[static_cast<std::size_t>(offset) + 1] = static_cast<char>((value >> 8) & 0xFF);
    return bytes;
}

// Where two byte strings first differ, or "" when they are equal; keeps a
// failing comparison of 8000-byte images readable.
std::string Difference(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return "";
    }
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) {
        ++i;
    }
    auto byteAt = [](const std::string& s, std::size_t at) {
        return at < s.size() ? std::to_string(static_cast<unsigned char>(s[at])) : "end";
    };
    return "sizes " + std::to_string(actual.size()) + "/" + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(i) + ": " + byteAt(actual, i) +
           " instead of " + byteAt(expected, i);
}

TEST(VolumeLevelFromByte, ReadsTheFiveRanges) {
    const std::pair<int, int> cases[] = {{0, 0},   {128, 0}, {129, 1}, {215, 1}, {216, 2},
                                         {238, 2}, {239, 3}, {246, 3}, {247, 4}, {255, 4}};
    for (const auto& [byte, level] : cases) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(VolumeLevelFromByte(static_cast<std::uint8_t>(byte)), level);
    }
}

TEST(SaveSettings, WritesTheFourVolumeBytesAndKeepsTheRest) {
    const struct {
        int level;
        std::array<std::uint8_t, 4> bytes;
    } cases[] = {
        {0, {0x80, 0x80, 0x80, 0x80}}, {1, {0x80, 0xD7, 0xDE, 0xEE}}, {2, {0x80, 0xEE, 0xF2, 0xF6}},
        {3, {0x80, 0xF6, 0xFB, 0xFF}}, {4, {0x80, 0xFF, 0xFF, 0xFF}}, {7, {0x80, 0xEE, 0xF2, 0xF6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Stick stick;
        WriteBytes(stick.files.plus, Plus(200, 70));
        WriteBytes(stick.files.array1, Array1({}));
        ConsoleSettings settings = LoadSettings(stick.files);
        ASSERT_TRUE(settings.plusValid);
        settings.volumeLevel = c.level;
        EXPECT_EQ(EnglishText(SaveSettings(settings, stick.files, SystemFileOps())), "");
        std::string expected = Plus(200, 70);
        expected[5] = static_cast<char>(c.bytes[0]);
        expected[9] = static_cast<char>(c.bytes[1]);
        expected[13] = static_cast<char>(c.bytes[2]);
        expected[17] = static_cast<char>(c.bytes[3]);
        EXPECT_EQ(Difference(ReadBytes(stick.files.plus), expected), "");
        if (c.level >= 0 && c.level <= 4) {
            EXPECT_EQ(LoadSettings(stick.files).volumeLevel, c.level);
        }
    }
}

TEST(LoadSettings, PlusDatIsValidOnlyWhole) {
    const struct {
        const char* what;
        std::string bytes;
        bool valid;
        int level;
    } cases[] = {
        {"64 bytes", Plus(216), true, 2},
        {"63 bytes", Plus(255, 63), false, 2},
        {"wrong signature", "\x03\x00\xB0\xA2" + Plus(255).substr(4), false, 2},
        {"longer", Plus(129, 100), true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stick stick;
        WriteBytes(stick.files.plus, c.bytes);
        const ConsoleSettings settings = LoadSettings(stick.files);
        EXPECT_EQ(settings.plusValid, c.valid);
        EXPECT_EQ(settings.volumeLevel, c.level);
    }
}

TEST(LoadSettings, ReadsTheEnduranceAtTheStartOfEnduresav) {
    const struct {
        std::string text;
        int endurance;
    } cases[] = {
        {"123\r\n", 123},
        {" 123", 0},
        {"-5", 0},
        {"", 0},
        {"007x", 7},
        {"99999999999", 2147483647},
        {std::string(1024, '0') + "7", 0},
        {std::string(1023, '0') + "7", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        Stick stick;
        WriteBytes(stick.files.endure, c.text);
        EXPECT_EQ(LoadSettings(stick.files).endurance, c.endurance);
    }
}

TEST(LoadSettings, WithoutFilesGivesTheDefaults) {
    Stick stick;
    std::filesystem::create_directories(stick.root + "/OPEN-R/APP/PC/AMS");
    ConsoleSettings settings = LoadSettings(stick.files);
    EXPECT_EQ(settings.learnedThings, 0);
    EXPECT_EQ(settings.forgottenThings, 0);
    EXPECT_EQ(settings.endurance, 0);
    EXPECT_EQ(settings.volumeLevel, 2);
    EXPECT_FALSE(settings.plusValid);
    EXPECT_EQ(settings.gender, 0);
    EXPECT_EQ(settings.seeBallSound, 0);
    EXPECT_EQ(settings.manualCamera + settings.disableRollOver + settings.disableNameRegistration +
                  settings.elephantMode,
              0);
    EXPECT_EQ(settings.balance, 3);
    EXPECT_EQ(settings.gain, 2);
    EXPECT_EQ(settings.shutter, 2);

    settings.gender = 2;
    EXPECT_EQ(EnglishText(SaveSettings(settings, stick.files, SystemFileOps())), "");
    std::string expected(8000, '\0');
    expected[46] = '\x02';
    expected[54] = '\x03';
    expected[56] = '\x02';
    expected[58] = '\x02';
    EXPECT_EQ(Difference(ReadBytes(stick.files.array1), expected), "");
    EXPECT_FALSE(FileExists(stick.files.plus));
}

TEST(LoadSettings, NormalisesTheDecodedWords) {
    Stick stick;
    WriteBytes(stick.files.array1, Array1({{40, 0xFFFF},
                                           {42, 0xFFFF},
                                           {44, 2},
                                           {46, 3},
                                           {48, 1},
                                           {50, 5},
                                           {52, 0xFFFF},
                                           {54, 0},
                                           {56, 7},
                                           {58, 0xFFFF},
                                           {60, 0x1234},
                                           {62, 1}}));
    ConsoleSettings settings = LoadSettings(stick.files);
    EXPECT_EQ(settings.learnedThings, -1);
    EXPECT_EQ(settings.forgottenThings, -1);
    EXPECT_EQ(settings.elephantMode, 0);
    EXPECT_EQ(settings.gender, 0);
    EXPECT_EQ(settings.disableRollOver, 1);
    EXPECT_EQ(settings.seeBallSound, 5);
    EXPECT_EQ(settings.manualCamera, 0);
    EXPECT_EQ(settings.balance, 3);
    EXPECT_EQ(settings.gain, 2);
    EXPECT_EQ(settings.shutter, 2);
    EXPECT_EQ(settings.disableNameRegistration, 1);

    WriteBytes(stick.files.array1, Array1({{46, 0xFFFF}}));
    EXPECT_EQ(LoadSettings(stick.files).gender, 0);
}

TEST(SaveSettings, StoresTheWordsAndKeepsEveryOtherByte) {
    Stick stick;
    const std::string original = Array1({{40, 0xFFFF}, {42, 0x0102}, {54, 0}, {60, 0x1234}}, 8005);
    WriteBytes(stick.files.array1, original);
    ConsoleSettings settings = LoadSettings(stick.files);
    settings.gender = 1;
    settings.elephantMode = 1;
    settings.disableRollOver = 0;
    settings.disableNameRegistration = 1;
    settings.seeBallSound = -1;
    settings.manualCamera = 1;
    settings.balance = 12;
    settings.gain = 1;
    settings.shutter = 3;
    EXPECT_EQ(EnglishText(SaveSettings(settings, stick.files, SystemFileOps())), "");
    std::string expected = original;
    for (const auto& [offset, value] : std::initializer_list<std::pair<int, int>>{{46, 1},
                                                                                  {44, 1},
                                                                                  {48, 0},
                                                                                  {62, 1},
                                                                                  {50, 0xFFFF},
                                                                                  {52, 1},
                                                                                  {54, 3},
                                                                                  {56, 1},
                                                                                  {58, 3}}) {
        expected = WithWord(expected, offset, value);
    }
    EXPECT_EQ(Difference(ReadBytes(stick.files.array1), expected), "");
    EXPECT_EQ(static_cast<unsigned char>(expected[50]), 0xFFu);
    EXPECT_EQ(static_cast<unsigned char>(expected[51]), 0xFFu);
}

using test_support::FailingFileOps;

// Words that load as they stand, so that a save changes only gender; and a
// valid PLUS.DAT whose volume a save changes.
const std::string kArray1 =
    Array1({{44, 0}, {46, 2}, {48, 0}, {50, 0}, {52, 0}, {54, 3}, {56, 2}, {58, 2}, {62, 0}});
const std::string kSavedArray1 = WithWord(kArray1, 46, 1);
const std::string kPlus = Plus(255);
std::string SavedPlus() {
    std::string saved = kPlus;
    saved[5] = saved[9] = saved[13] = saved[17] = '\x80';
    return saved;
}

struct SaveCase {
    Stick stick;
    ConsoleSettings settings;
    SaveCase() {
        WriteBytes(stick.files.array1, kArray1);
        WriteBytes(stick.files.plus, kPlus);
        settings = LoadSettings(stick.files);
        settings.gender = 1;
        settings.volumeLevel = 0;
    }
    bool NoTemporaryFiles() const {
        return !FileExists(stick.root + "/OPEN-R/APP/PC/AMS/ARRAY1.$$$") &&
               !FileExists(stick.root + "/CUSTOM/PLUS.$$$");
    }
};

// Each file holds its old bytes or its new ones, never a part and never
// nothing, after any one or two failing steps; a retry saves both.
TEST(SaveSettings, AnyOneOrTwoFailingStepsLoseNothingAndARetrySaves) {
    SaveCase probe;
    FailingFileOps count({}, SystemFileOps());
    ASSERT_EQ(EnglishText(SaveSettings(probe.settings, probe.stick.files, count)), "");
    const int steps = count.calls + 2;
    for (const IoResult how : {IoResult::Failed, IoResult::Full}) {
        for (int first = 1; first <= steps; ++first) {
            for (int second = first; second <= steps; ++second) {
                SaveCase c;
                FailingFileOps ops({first, second}, SystemFileOps(), how);
                const std::string message =
                    EnglishText(SaveSettings(c.settings, c.stick.files, ops));
                SCOPED_TRACE(test_support::LogText(ops.log) + message);
                const std::string array1 = ReadBytes(c.stick.files.array1);
                const std::string plus = ReadBytes(c.stick.files.plus);
                if (message.empty()) {
                    EXPECT_EQ(Difference(array1, kSavedArray1), "");
                    EXPECT_EQ(Difference(plus, SavedPlus()), "");
                } else if (message.starts_with("ERROR: Can't save the settings to " +
                                               c.stick.files.array1 + "\n")) {
                    EXPECT_EQ(Difference(array1, kArray1), "");
                    EXPECT_EQ(Difference(plus, kPlus), "");
                } else {
                    EXPECT_TRUE(message.starts_with("ERROR: Can't save the volume to " +
                                                    c.stick.files.plus + "\n"));
                    EXPECT_TRUE(message.ends_with("\nThe other settings were saved to " +
                                                  c.stick.files.array1 + "."));
                    EXPECT_EQ(Difference(array1, kSavedArray1), "");
                    EXPECT_EQ(Difference(plus, kPlus), "");
                }
                EXPECT_EQ(EnglishText(SaveSettings(c.settings, c.stick.files, SystemFileOps())),
                          "");
                EXPECT_EQ(Difference(ReadBytes(c.stick.files.array1), kSavedArray1), "");
                EXPECT_EQ(Difference(ReadBytes(c.stick.files.plus), SavedPlus()), "");
                EXPECT_TRUE(c.NoTemporaryFiles());
            }
        }
    }
}

TEST(SaveSettings, SaysWhyAFileWasLeftAsItWas) {
    const std::string settingsTo = "ERROR: Can't save the settings to ";
    const std::string volumeTo = "ERROR: Can't save the volume to ";
    const std::string full = "\nThe memory stick is full, so the file was left as it was.";
    struct Case {
        const char* failing;  // the operation that fails, as the seam logs it
        IoResult how;
        bool volume;  // the message is PLUS.DAT's
        std::string why;
    };
    const Case cases[] = {
        {"write ARRAY1.$$$", IoResult::Full, false, full},
        {"flush ARRAY1.$$$", IoResult::Failed, false, "\nThe file was left as it was."},
        {"replace ARRAY1.$$$ ARRAY1.DAT", IoResult::Failed, false,
         "\nThe file was left as it was."},
        {"close PLUS.$$$", IoResult::Full, true, full},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.failing);
        SaveCase probe;
        FailingFileOps count({}, SystemFileOps());
        EnglishText(SaveSettings(probe.settings, probe.stick.files, count));
        const int step = test_support::StepOf(count.log, k.failing);
        ASSERT_NE(step, 0);
        SaveCase c;
        FailingFileOps ops({step}, SystemFileOps(), k.how);
        const std::string expected = k.volume ? volumeTo + c.stick.files.plus + k.why +
                                                    "\nThe other settings were saved to " +
                                                    c.stick.files.array1 + "."
                                              : settingsTo + c.stick.files.array1 + k.why;
        EXPECT_EQ(EnglishText(SaveSettings(c.settings, c.stick.files, ops)), expected);
    }
}

TEST(SaveSettings, StopsBeforeWritingWhenTheStickIsFullOrAFileIsReadOnly) {
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                          std::filesystem::perms::others_read;
    for (int which = 0; which < 3; ++which) {
        SaveCase c;
        FailingFileOps ops({}, SystemFileOps());
        std::string expected;
        if (which == 0) {
            // ARRAY1.DAT takes two clusters of 4096 bytes.
            ops.room = Room{8191, 4096};
            expected = "ERROR: Can't save the settings to " + c.stick.files.array1 +
                       "\nThe memory stick is full, so the file was left as it was.";
        } else if (which == 1) {
            std::filesystem::permissions(c.stick.files.array1, readOnly);
            expected = "ERROR: Can't save the settings to " + c.stick.files.array1 +
                       "\nThe file is read-only, so it was left as it was.";
        } else {
            std::filesystem::permissions(c.stick.files.plus, readOnly);
            expected = "ERROR: Can't save the volume to " + c.stick.files.plus +
                       "\nThe file is read-only, so it was left as it was.";
        }
        EXPECT_EQ(EnglishText(SaveSettings(c.settings, c.stick.files, ops)), expected);
        EXPECT_EQ(Difference(ReadBytes(c.stick.files.array1), kArray1), "");
        EXPECT_EQ(Difference(ReadBytes(c.stick.files.plus), kPlus), "");
        EXPECT_TRUE(c.NoTemporaryFiles());
    }
}

// With clusters of 256 bytes the new ARRAY1.DAT takes 8192 and PLUS.DAT
// (600 bytes, kept whole) 768. ARRAY1.DAT is put in place first: it keeps
// what it takes beyond the old one's room while PLUS.DAT is written.
TEST(SaveSettings, StopsBeforeWritingWhenTheWholeSaveDoesNotFit) {
    const struct {
        std::size_t array1Size;  // 0: no ARRAY1.DAT yet
        std::uint64_t need;
    } cases[] = {{8000, 8192}, {100, 8192 - 256 + 768}, {0, 8192 + 768}};
    const std::string plus = Plus(255, 600);
    for (const auto& c : cases) {
        for (const std::uint64_t freeBytes : {c.need - 256, c.need}) {
            SCOPED_TRACE("ARRAY1.DAT of " + std::to_string(c.array1Size) + " bytes, free " +
                         std::to_string(freeBytes));
            Stick stick;
            const std::string array1 = c.array1Size ? Array1({}, c.array1Size) : "";
            if (c.array1Size) {
                WriteBytes(stick.files.array1, array1);
            } else {
                std::filesystem::create_directories(stick.root + "/OPEN-R/APP/PC/AMS");
            }
            WriteBytes(stick.files.plus, plus);
            ConsoleSettings settings = LoadSettings(stick.files);
            FailingFileOps ops({}, SystemFileOps());
            ops.room = Room{freeBytes, 256};
            const std::string message = EnglishText(SaveSettings(settings, stick.files, ops));
            if (freeBytes < c.need) {
                EXPECT_EQ(message,
                          "ERROR: Can't save the settings to " + stick.files.array1 +
                              "\nThe memory stick is full, so the file was left as it was.");
                EXPECT_EQ(FileExists(stick.files.array1), c.array1Size != 0);
                if (c.array1Size) {
                    EXPECT_EQ(ReadBytes(stick.files.array1), array1);
                }
                EXPECT_EQ(ReadBytes(stick.files.plus), plus);
                EXPECT_EQ(test_support::StepOf(ops.log, "create ARRAY1.$$$"), 0);
            } else {
                EXPECT_EQ(message, "");
                EXPECT_EQ(ReadBytes(stick.files.array1).size(), 8000u);
            }
        }
    }
}

// A save cut short between the two steps of a replace leaves a settings file
// missing and its new copy whole beside it; only such a copy is offered.
TEST(FindUnplacedSettings, OffersOnlyWholeCopiesOfMissingFiles) {
    std::string unsignedPlus = Plus(255);
    unsignedPlus[2] = 'X';
    const struct {
        const char* what;
        const char* array1Temp;  // bytes of ARRAY1.$$$ (nullptr: none)
        std::size_t array1Size;
        std::string plusTemp;  // bytes of PLUS.$$$ (empty: none)
        bool targetsThere;
        std::vector<std::string> offered;  // file names of the targets
    } cases[] = {
        {"both whole", "", 8000, Plus(255), false, {"ARRAY1.DAT", "PLUS.DAT"}},
        {"ARRAY1 only", "", 8000, "", false, {"ARRAY1.DAT"}},
        {"ARRAY1 cut short", "", 7999, Plus(255), false, {"PLUS.DAT"}},
        {"PLUS.$$$ without its signature", nullptr, 0, unsignedPlus, false, {}},
        {"PLUS.$$$ too long", nullptr, 0, Plus(255, 65), false, {}},
        {"files still there", "", 8000, Plus(255), true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Stick stick;
        const std::string array1Temp = stick.root + "/OPEN-R/APP/PC/AMS/ARRAY1.$$$";
        const std::string plusTemp = stick.root + "/CUSTOM/PLUS.$$$";
        if (c.array1Temp) {
            WriteBytes(array1Temp, Array1({}, c.array1Size));
        }
        if (!c.plusTemp.empty()) {
            WriteBytes(plusTemp, c.plusTemp);
        }
        if (c.targetsThere) {
            WriteBytes(stick.files.array1, kArray1);
            WriteBytes(stick.files.plus, kPlus);
        }
        std::vector<std::string> offered;
        for (const UnplacedFile& file : FindUnplacedSettings(stick.files, SystemFileOps())) {
            offered.push_back(file.target.substr(file.target.find_last_of('/') + 1));
            EXPECT_EQ(file.path, file.target == stick.files.plus ? plusTemp : array1Temp);
        }
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(FileExists(stick.files.array1), c.targetsThere);
    }
}

TEST(SaveSettings, LeavesAFileAloneThatCouldNotBeReadAtStart) {
    Stick stick;
    // A folder in the file's place: it is there, but no file can be read.
    std::filesystem::create_directories(stick.files.array1);
    WriteBytes(stick.files.plus, Plus(255));
    ConsoleSettings settings = LoadSettings(stick.files);
    EXPECT_EQ(settings.array1State, FileState::Unreadable);
    EXPECT_EQ(EnglishText(SaveSettings(settings, stick.files, SystemFileOps())),
              "ERROR: Can't save the settings to " + stick.files.array1 +
                  "\nIt could not be read when the console started, so it was left as it was.");
    EXPECT_TRUE(std::filesystem::is_directory(stick.files.array1));
    EXPECT_EQ(Difference(ReadBytes(stick.files.plus), Plus(255)), "");
}

TEST(SaveSettings, SaysWhenTheFolderIsMissing) {
    Stick stick;
    ConsoleSettings settings = LoadSettings(stick.files);
    EXPECT_EQ(EnglishText(SaveSettings(settings, stick.files, SystemFileOps())),
              "ERROR: Can't save the settings to " + stick.files.array1 +
                  "\nThe file was left as it was.");
}

TEST(ReadLeadingNumber, TakesTheLeadingDigits) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"03", 3}, {"", 0},   {"12", 12},
                 {"4x", 4}, {"x4", 0}, {"99999999999999", 2147483647}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLeadingNumber(c.text, std::strlen(c.text)), c.value);
    }
}

}  // namespace
}  // namespace pupdesk
