#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/messages.h"
#include "fileio/file_ops.h"

namespace pupdesk {

inline constexpr std::size_t kArray1Size = 8000;
inline constexpr std::size_t kPlusSize = 64;
inline constexpr std::size_t kEnduranceBytes = 1024;
inline constexpr std::array<std::uint8_t, 4> kPlusSignature = {0x03, 0x00, 0xB0, 0xA1};

// What became of a settings file at start.
enum class FileState {
    Missing,     // not there (or its folder is not): Save may create it
    Unreadable,  // there, but it could not be opened or read: Save leaves it alone
    Read,
};

// The console's settings: the file images as read and the values decoded
// from them.
struct ConsoleSettings {
    std::array<std::uint8_t, kArray1Size> array1Image{};
    std::string array1Tail;  // bytes past the handled size, kept on Save
    FileState array1State = FileState::Missing;
    std::array<std::uint8_t, kPlusSize> plusImage{};
    std::string plusTail;
    FileState plusState = FileState::Missing;
    bool plusValid = false;

    std::int32_t learnedThings = 0;
    std::int32_t forgottenThings = 0;
    std::int32_t endurance = 0;
    std::int32_t volumeLevel = 2;
    std::int32_t gender = 0;
    std::int32_t seeBallSound = 0;
    std::int32_t manualCamera = 0;
    std::int32_t disableRollOver = 0;
    std::int32_t disableNameRegistration = 0;
    std::int32_t elephantMode = 0;
    std::int32_t balance = 3;
    std::int32_t gain = 2;
    std::int32_t shutter = 2;
};

// Where the three files are: below the stick's root. On Windows the root is
// empty and the paths start at the root of the current drive.
struct SettingsFiles {
    std::string plus;
    std::string array1;
    std::string endure;
};
SettingsFiles FilesBelow(const std::string& root);

// Which bytes begin a two-byte character in the system's ANSI code page
// (Japanese, Chinese and Korean Windows); none until set.
void SetLeadBytes(const std::array<bool, 256>& isLead);

// A save's file operations go through the shared file seam. TargetState:
// what a save finds in a file's place (FileState above is what the console
// read at start).
using fileio::FileOps;
using fileio::IoResult;
using fileio::OutputFile;
using fileio::Room;
using fileio::SystemFileOps;
using TargetState = fileio::FileState;

ConsoleSettings LoadSettings(const SettingsFiles& files);

// Puts the working values into the file images: the saved words of
// ARRAY1.DAT and the four volume bytes of PLUS.DAT.
void EncodeSettings(ConsoleSettings& settings);

// Encodes the settings into the images and writes ARRAY1.DAT and, when it
// was valid, PLUS.DAT. Each file is written whole beside the old one, flushed
// to the medium, and then put in its place in one step; the old file is never
// moved away or removed first. Read-only files and a stick without room stop
// the save before any file is written. No message on success; otherwise the
// message that names the file that was not saved and says what the stick
// holds.
Message SaveSettings(ConsoleSettings& settings, const SettingsFiles& files, FileOps& ops);

// A settings file that a save wrote whole beside its place and did not get to
// put there: on FAT a replace removes the old file's entry and names the new
// one in two steps, and a stick pulled between them leaves the file missing.
struct UnplacedFile {
    std::string target;  // ARRAY1.DAT or PLUS.DAT, missing
    std::string path;    // ARRAY1.$$$ or PLUS.$$$ beside it
    std::uint64_t size = 0;
};

// The unplaced settings files, in the order a save writes them: each one
// whose target is missing and whose .$$$ has the length the console writes
// (with PLUS.DAT's signature for PLUS.$$$).
std::vector<UnplacedFile> FindUnplacedSettings(const SettingsFiles& files, FileOps& ops);

int VolumeLevelFromByte(std::uint8_t byte);
std::array<std::uint8_t, 4> VolumeBytesForLevel(int level);

// The run of ASCII digits at the start, as a decimal number; 0 when the
// first byte is no digit; saturated at the largest 32-bit value.
std::int32_t ReadLeadingNumber(const char* bytes, std::size_t length);

// Brings decoded values into their ranges.
void Normalise(ConsoleSettings& settings);
void NormaliseCamera(ConsoleSettings& settings);

}  // namespace pupdesk
