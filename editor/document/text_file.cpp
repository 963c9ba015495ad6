#include "editor/document/text_file.h"

#include <sys/stat.h>
#ifdef __linux__
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <optional>

namespace zolt {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct FileInfo {
    bool regular = false;
    std::uint64_t size = 0;
};

// What a path names, learned without opening it.
std::optional<FileInfo> Inspect(const std::string& path) {
#ifdef _WIN32
    struct _stati64 st {};
    if (_stati64(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileInfo{(st.st_mode & _S_IFMT) == _S_IFREG, static_cast<std::uint64_t>(st.st_size)};
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileInfo{S_ISREG(st.st_mode), static_cast<std::uint64_t>(st.st_size)};
#endif
}

// Opens a regular file for reading in binary; anything else is refused
// before it is opened.
FilePtr OpenRegularFile(const std::string& path, FileInfo& info) {
    const std::optional<FileInfo> found = Inspect(path);
    if (!found || !found->regular) {
        return nullptr;
    }
    info = *found;
    return FilePtr(std::fopen(path.c_str(), "rb"));
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ReadLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return static_cast<int>(value > std::numeric_limits<int>::max() ? kLimit - 1 : value);
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    FileInfo info;
    FilePtr file = OpenRegularFile(path, info);
    if (!file) {
        return ReadResult::CannotOpen;
    }
    if (info.size > maxBytes) {
        return ReadResult::TooLarge;
    }
    // The bytes go straight into the one buffer that keeps them, made as
    // large as the file first and never filled with anything else.
    try {
        bytes.reserve(static_cast<std::size_t>(info.size));
    } catch (const std::bad_alloc&) {
        return ReadResult::TooLarge;
    }
#ifdef __linux__
    // Linux hands out fresh memory a small page at a time, each page a fault
    // that costs more than reading it; the buffer of a large file asks for
    // large pages where the system gives them.
    constexpr std::uintptr_t kLargePage = 2 << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (start + bytes.capacity()) & ~(kLargePage - 1);
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
    const std::size_t chunkSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(1 << 20, info.size + 1));
    const std::unique_ptr<char[]> chunk(new char[chunkSize]);
    std::size_t got = 0;
    while ((got = std::fread(chunk.get(), 1, chunkSize, file.get())) > 0 &&
           bytes.size() + got <= info.size) {
        bytes.append(chunk.get(), got);
    }
    // A file that changed its size while it was read is not read at all.
    if (got != 0 || bytes.size() != info.size || std::ferror(file.get())) {
        bytes.clear();
        bytes.shrink_to_fit();
        return ReadResult::CannotRead;
    }
    return ReadResult::Ok;
}

bool FileCanBeOpened(const std::string& path) {
    FileInfo info;
    return OpenRegularFile(path, info) != nullptr;
}

ReadResult ReadFirstLine(const std::string& path, std::string& line, std::size_t maxChars) {
    line.clear();
    FileInfo info;
    FilePtr file = OpenRegularFile(path, info);
    if (!file) {
        return ReadResult::CannotOpen;
    }
    // One byte more than the line may hold: a carriage return before a line
    // feed takes no room in the line.
    std::string bytes(maxChars + 2, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (std::ferror(file.get())) {
        return ReadResult::CannotRead;
    }
    TextFileReader reader;
    reader.SetText(bytes);
    reader.ReadLine(line, maxChars);
    return ReadResult::Ok;
}

void TextFileReader::SetText(std::string_view bytes) {
    text_.clear();
    text_.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        text_ += bytes[i];
    }
    pos_ = 0;
}

bool TextFileReader::ReadLine(std::string& line, std::size_t maxChars) {
    line.clear();
    if (pos_ >= text_.size() || maxChars == 0) {
        return false;
    }
    while (pos_ < text_.size() && line.size() < maxChars) {
        const char c = text_[pos_++];
        line += c;
        if (c == '\n') {
            break;
        }
    }
    return true;
}

}  // namespace zolt
