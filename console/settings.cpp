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

std::string Sibling(const std::string& path, const char* extension) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t dot = path.find_last_of('.');
    const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? path.substr(0, dot)
                                 : path;
    return base + extension;
}

// Writes a file whole beside the old one, then puts it in the old one's place.
bool WriteWhole(const std::string& path, const std::string& bytes, FileOps& ops) {
    const std::string temp = Sibling(path, ".$$$");
    const std::string old = Sibling(path, ".$$O");
    std::unique_ptr<OutputFile> out = ops.Create(temp);
    if (!out) {
        return false;
    }
    const bool written = out->Write(bytes);
    const bool closed = out->Close();
    out.reset();
    if (!written || !closed) {
        ops.Remove(temp);
        return false;
    }
    ops.Remove(old);
    const bool hadOld = ops.Rename(path, old);
    if (!hadOld && ops.Exists(path)) {
        ops.Remove(temp);
        return false;
    }
    if (!ops.Rename(temp, path)) {
        if (hadOld) {
            ops.Rename(old, path);
        }
        ops.Remove(temp);
        return false;
    }
    if (hadOld) {
        ops.Remove(old);
    }
    return true;
}

class StdOutputFile final : public OutputFile {
  public:
    explicit StdOutputFile(std::FILE* file) : file_(file) {}
    ~StdOutputFile() override {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    bool Write(std::string_view bytes) override {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    bool Close() override {
        const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return flushed && closed;
    }

  private:
    std::FILE* file_;
};

class StdFileOps final : public FileOps {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
#ifdef _WIN32
        std::FILE* file = _fsopen(path.c_str(), "wb", _SH_DENYRW);
#else
        std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
        if (file == nullptr) {
            return nullptr;
        }
        return std::make_unique<StdOutputFile>(file);
    }
    bool Remove(const std::string& path) override {
        return std::remove(path.c_str()) == 0;
    }
    bool Rename(const std::string& from, const std::string& to) override {
        if (PathExists(to)) {
            return false;
        }
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Exists(const std::string& path) override {
        return PathExists(path);
    }
};

}  // namespace

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

FileOps& SystemFileOps() {
    static StdFileOps ops;
    return ops;
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

    const auto& a = s.array1Image;
    s.learnedThings = WordAt(a, 40);
    s.forgottenThings = WordAt(a, 42);
    s.elephantMode = WordAt(a, 44);
    s.gender = WordAt(a, 46);
    s.disableRollOver = WordAt(a, 48);
    s.seeBallSound = WordAt(a, 50);
    s.manualCamera = WordAt(a, 52);
    s.balance = WordAt(a, 54);
    s.gain = WordAt(a, 56);
    s.shutter = WordAt(a, 58);
    s.disableNameRegistration = WordAt(a, 62);
    Normalise(s);
    s.volumeLevel = s.plusValid ? VolumeLevelFromByte(s.plusImage[9]) : 2;
    return s;
}

std::string SaveSettings(ConsoleSettings& s, const SettingsFiles& files, FileOps& ops) {
    auto& a = s.array1Image;
    StoreWord(a, 46, s.gender);
    StoreWord(a, 44, s.elephantMode);
    StoreWord(a, 48, s.disableRollOver);
    StoreWord(a, 62, s.disableNameRegistration);
    StoreWord(a, 50, s.seeBallSound);
    StoreWord(a, 52, s.manualCamera);
    NormaliseCamera(s);
    StoreWord(a, 54, s.balance);
    StoreWord(a, 56, s.gain);
    StoreWord(a, 58, s.shutter);
    const std::array<std::uint8_t, 4> volume = VolumeBytesForLevel(s.volumeLevel);
    for (std::size_t i = 0; i < volume.size(); ++i) {
        s.plusImage[kLevelByteOffsets[i]] = volume[i];
    }

    const std::string unreadable =
        "\nIt could not be read when the console started, so it was left as it was.";
    const std::string notWritten = "\nThe file was left as it was.";
    if (s.array1State == FileState::Unreadable) {
        return "ERROR: Can't save the settings to " + files.array1 + unreadable;
    }
    if (!WriteWhole(files.array1, Bytes(a, s.array1Tail), ops)) {
        return "ERROR: Can't save the settings to " + files.array1 + notWritten;
    }
    if (s.plusValid && !WriteWhole(files.plus, Bytes(s.plusImage, s.plusTail), ops)) {
        return "ERROR: Can't save the volume to " + files.plus + notWritten;
    }
    return {};
}

}  // namespace pupdesk
