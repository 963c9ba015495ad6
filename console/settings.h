#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

// How a step of writing a file ended. Full: the medium has no room left.
enum class IoResult { Ok, Failed, Full };

// A file being written by a save.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual IoResult Write(std::string_view bytes) = 0;
    // Makes everything written so far reach the medium.
    virtual IoResult Flush() = 0;
    virtual IoResult Close() = 0;
};

// What a save finds in a file's place.
enum class TargetState { Missing, Writable, ReadOnly, Unknown };

// Free room on the medium that holds a file.
struct Room {
    std::uint64_t freeBytes = 0;
    std::uint64_t clusterBytes = 1;  // files take whole clusters
};

// Every file operation of a save, so that tests can record the steps and make
// any of them fail.
class FileOps {
  public:
    virtual ~FileOps() = default;
    // Creates a file, or empties an existing one, for writing, unshared.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
    // Puts `from` in the place of `to` in one step: afterwards `to` holds
    // either its old content or the new one, never neither.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual TargetState State(const std::string& path) = 0;
    // Empty when the room cannot be learned.
    virtual std::optional<Room> FreeRoom(const std::string& path) = 0;
};
// The system's own: the host's, or on Windows the system's file services.
FileOps& SystemFileOps();

ConsoleSettings LoadSettings(const SettingsFiles& files);

// Puts the working values into the file images: the saved words of
// ARRAY1.DAT and the four volume bytes of PLUS.DAT.
void EncodeSettings(ConsoleSettings& settings);

// Encodes the settings into the images and writes ARRAY1.DAT and, when it
// was valid, PLUS.DAT. Each file is written whole beside the old one, flushed
// to the medium, and then put in its place in one step; the old file is never
// moved away or removed first. Read-only files and a stick without room stop
// the save before any file is written. Empty on success; otherwise the
// message that names the file that was not saved and says what the stick
// holds.
std::string SaveSettings(ConsoleSettings& settings, const SettingsFiles& files, FileOps& ops);

int VolumeLevelFromByte(std::uint8_t byte);
std::array<std::uint8_t, 4> VolumeBytesForLevel(int level);

// The run of ASCII digits at the start, as a decimal number; 0 when the
// first byte is no digit; saturated at the largest 32-bit value.
std::int32_t ReadLeadingNumber(const char* bytes, std::size_t length);

// Brings decoded values into their ranges.
void Normalise(ConsoleSettings& settings);
void NormaliseCamera(ConsoleSettings& settings);

}  // namespace pupdesk
