#include "console/settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#ifdef _WIN32
#include <share.h>
#endif

namespace pupdesk {

namespace {

// Settings files are small; anything this large is not one of them.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

constexpr std::size_t kLevelByteOffsets[4] = {5, 9, 13, 17};

// The words of ARRAY1.DAT the console uses, each a 16-bit signed integer, low
// byte first: where it lies, the setting it holds, and whether Save writes
// it. Load and save both read this table.
struct Array1Field {
    std::size_t offset;
    std::int32_t ConsoleSettings::*value;
    bool saved;
};
constexpr Array1Field kArray1Fields[] = {
    {40, &ConsoleSettings::learnedThings, false},
    {42, &ConsoleSettings::forgottenThings, false},
    {44, &ConsoleSettings::elephantMode, true},
    {46, &ConsoleSettings::gender, true},
    {48, &ConsoleSettings::disableRollOver, true},
    {50, &ConsoleSettings::seeBallSound, true},
    {52, &ConsoleSettings::manualCamera, true},
    {54, &ConsoleSettings::balance, true},
    {56, &ConsoleSettings::gain, true},
    {58, &ConsoleSettings::shutter, true},
    {62, &ConsoleSettings::disableNameRegistration, true},
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens for reading without sharing.
std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
    return _fsopen(path.c_str(), "rb", _SH_DENYRW);
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

bool PathExists(const std::string& path) {
#ifdef _WIN32
    struct _stat st;
    return _stat(path.c_str(), &st) == 0;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0;
#endif
}

// Reads a whole file; its state says whether it was there and readable.
FileState ReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    FilePtr file(OpenForReading(path));
    if (!file) {
        return PathExists(path) ? FileState::Unreadable : FileState::Missing;
    }
    char chunk[4096];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, got);
        if (bytes.size() > kMaxFileSize) {
            return FileState::Unreadable;
        }
        if (got < sizeof chunk) {
            break;
        }
    }
    return std::ferror(file.get()) ? FileState::Unreadable : FileState::Read;
}

std::int32_t WordAt(const std::array<std::uint8_t, kArray1Size>& image, std::size_t offset) {
    return static_cast<std::int16_t>(image[offset] | (image[offset + 1] << 8));
}

void StoreWord(std::array<std::uint8_t, kArray1Size>& image, std::size_t offset,
               std::int32_t value) {
    const auto word = static_cast<std::uint16_t>(value);
    image[offset] = static_cast<std::uint8_t>(word & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

std::int32_t Flag(std::int32_t value) {
    return value == 0 || value == 1 ? value : 0;
}

std::int32_t Camera(std::int32_t value, std::int32_t fallback) {
    return value >= 1 && value <= 3 ? value : fallback;
}

template <std::size_t N>
std::string Bytes(const std::array<std::uint8_t, N>& image, const std::string& tail) {
    std::string bytes(reinterpret_cast<const char*>(image.data()), N);
    bytes += tail;
    return bytes;
}

std::array<bool, 256>& LeadByteFlags() {
    static std::array<bool, 256> flags{};
    return flags;
}

// The same file name with another extension. A lead byte and its trail byte
// are one character: a trail byte is never a separator or a dot.
std::string Sibling(const std::string& path, const char* extension) {
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '\\' || c == '/') {
            dot = std::string::npos;
        } else if (c == '.') {
            dot = i;
        } else if (LeadByteFlags()[static_cast<unsigned char>(c)] && i + 1 < path.size()) {
            ++i;
        }
    }
    return path.substr(0, dot) + extension;
}

// Writes a file whole beside the old one, flushed to the medium, then puts
// it in the old one's place in one step. On failure the old file stands as it
// was and the temporary file is removed (its bytes are still in memory).
IoResult WriteWhole(const std::string& path, const std::string& bytes, FileOps& ops) {
    switch (fileio::WriteWholeAndReplace(ops, Sibling(path, ".$$$"), path,
                                         [&bytes](OutputFile& out) { return out.Write(bytes); })) {
        case fileio::Written::Ok:
            return IoResult::Ok;
        case fileio::Written::Full:
            return IoResult::Full;
        default:
            return IoResult::Failed;
    }
}

}  // namespace

void SetLeadBytes(const std::array<bool, 256>& isLead) {
    LeadByteFlags() = isLead;
}

SettingsFiles FilesBelow(const std::string& root) {
#ifdef _WIN32
    const std::string sep = "\\";
#else
    const std::string sep = "/";
#endif
    return {root + sep + "CUSTOM" + sep + "PLUS.DAT",
            root + sep + "OPEN-R" + sep + "APP" + sep + "PC" + sep + "AMS" + sep + "ARRAY1.DAT",
            root + sep + "OPEN-R" + sep + "APP" + sep + "PC" + sep + "AMS" + sep + "ENDURE.SAV"};
}

int VolumeLevelFromByte(std::uint8_t byte) {
    if (byte <= 128) {
        return 0;
    }
    if (byte <= 215) {
        return 1;
    }
    if (byte <= 238) {
        return 2;
    }
    if (byte <= 246) {
        return 3;
    }
    return 4;
}

std::array<std::uint8_t, 4> VolumeBytesForLevel(int level) {
    switch (level) {
        case 0:
            return {0x80, 0x80, 0x80, 0x80};
        case 1:
            return {0x80, 0xD7, 0xDE, 0xEE};
        case 3:
            return {0x80, 0xF6, 0xFB, 0xFF};
        case 4:
            return {0x80, 0xFF, 0xFF, 0xFF};
        default:
            return {0x80, 0xEE, 0xF2, 0xF6};
    }
}

std::int32_t ReadLeadingNumber(const char* bytes, std::size_t length) {
    std::int64_t value = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < length && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
        value = value * 10 + (bytes[i] - '0');
        if (value > kMax) {
            value = kMax;
        }
    }
    return static_cast<std::int32_t>(value);
}

void NormaliseCamera(ConsoleSettings& s) {
    s.balance = Camera(s.balance, 3);
    s.gain = Camera(s.gain, 2);
    s.shutter = Camera(s.shutter, 2);
}

void Normalise(ConsoleSettings& s) {
    s.manualCamera = Flag(s.manualCamera);
    s.disableRollOver = Flag(s.disableRollOver);
    s.disableNameRegistration = Flag(s.disableNameRegistration);
    s.elephantMode = Flag(s.elephantMode);
    if (s.gender < 0 || s.gender > 2) {
        s.gender = 0;
    }
    NormaliseCamera(s);
}

ConsoleSettings LoadSettings(const SettingsFiles& files) {
    ConsoleSettings s;
    std::string bytes;
    s.endurance = ReadFile(files.endure, bytes) == FileState::Read
                      ? ReadLeadingNumber(bytes.data(), std::min(bytes.size(), kEnduranceBytes))
                      : 0;

    s.array1State = ReadFile(files.array1, bytes);
    if (s.array1State == FileState::Read) {
        const std::size_t n = std::min(bytes.size(), kArray1Size);
        std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n),
                  s.array1Image.begin());
        s.array1Tail = bytes.substr(n);
    }

    s.plusState = ReadFile(files.plus, bytes);
    if (s.plusState == FileState::Read) {
        const std::size_t n = std::min(bytes.size(), kPlusSize);
        std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n),
                  s.plusImage.begin());
        s.plusTail = bytes.substr(n);
        s.plusValid = bytes.size() >= kPlusSize &&
                      std::equal(kPlusSignature.begin(), kPlusSignature.end(), s.plusImage.begin());
    }

    for (const Array1Field& field : kArray1Fields) {
        s.*field.value = WordAt(s.array1Image, field.offset);
    }
    Normalise(s);
    s.volumeLevel = s.plusValid ? VolumeLevelFromByte(s.plusImage[9]) : 2;
    return s;
}

std::vector<UnplacedFile> FindUnplacedSettings(const SettingsFiles& files, FileOps& ops) {
    std::vector<UnplacedFile> found;
    const auto look = [&](const std::string& target, std::size_t size, bool signed_) {
        const std::string temp = Sibling(target, ".$$$");
        if (ops.State(target) != TargetState::Missing || ops.Size(temp) != size) {
            return;
        }
        std::string bytes;
        if (ReadFile(temp, bytes) != FileState::Read || bytes.size() != size ||
            (signed_ && !std::equal(kPlusSignature.begin(), kPlusSignature.end(),
                                    reinterpret_cast<const std::uint8_t*>(bytes.data())))) {
            return;
        }
        found.push_back({target, temp, size});
    };
    look(files.array1, kArray1Size, false);
    look(files.plus, kPlusSize, true);
    return found;
}

void EncodeSettings(ConsoleSettings& s) {
    NormaliseCamera(s);
    for (const Array1Field& field : kArray1Fields) {
        if (field.saved) {
            StoreWord(s.array1Image, field.offset, s.*field.value);
        }
    }
    const std::array<std::uint8_t, 4> volume = VolumeBytesForLevel(s.volumeLevel);
    for (std::size_t i = 0; i < volume.size(); ++i) {
        s.plusImage[kLevelByteOffsets[i]] = volume[i];
    }
}

Message SaveSettings(ConsoleSettings& s, const SettingsFiles& files, FileOps& ops) {
    EncodeSettings(s);
    const std::string array1Bytes = Bytes(s.array1Image, s.array1Tail);
    const std::string plusBytes = Bytes(s.plusImage, s.plusTail);
    if (s.array1State == FileState::Unreadable) {
        return MakeMessage(MessageId::SettingsUnreadable, {files.array1});
    }
    // Read-only files are the owner's word that they must not change; nothing
    // is written when one of them is.
    if (ops.State(files.array1) == TargetState::ReadOnly) {
        return MakeMessage(MessageId::SettingsReadOnly, {files.array1});
    }
    if (s.plusValid && ops.State(files.plus) == TargetState::ReadOnly) {
        return MakeMessage(MessageId::VolumeReadOnly, {files.plus});
    }
    // The whole save must fit before anything is written: one file is
    // written at a time while the old one still takes its room, and a file
    // that replaces a shorter one (or none) keeps the room it takes.
    const fileio::Replacement array1Step{array1Bytes.size(), ops.Size(files.array1).value_or(0)};
    fileio::Replacement plusStep{};
    if (s.plusValid) {
        plusStep = {plusBytes.size(), ops.Size(files.plus).value_or(0)};
    }
    if (!fileio::HasRoomFor(ops, files.array1, {array1Step, plusStep})) {
        return MakeMessage(MessageId::SettingsFull, {files.array1});
    }
    const IoResult array1 = WriteWhole(files.array1, array1Bytes, ops);
    if (array1 != IoResult::Ok) {
        return MakeMessage(
            array1 == IoResult::Full ? MessageId::SettingsFull : MessageId::SettingsFailed,
            {files.array1});
    }
    if (s.plusValid) {
        const IoResult plus = WriteWhole(files.plus, plusBytes, ops);
        if (plus != IoResult::Ok) {
            return MakeMessage(
                plus == IoResult::Full ? MessageId::VolumeFull : MessageId::VolumeFailed,
                {files.plus, files.array1});
        }
    }
    return {};
}

}  // namespace pupdesk
