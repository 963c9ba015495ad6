#include "editor/document/text_file.h"

#include <cstdio>
#include <memory>

namespace zolt {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return ReadResult::CannotOpen;
    }
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        const std::size_t old = bytes.size();
        bytes.resize(old + kChunk);
        const std::size_t got = std::fread(bytes.data() + old, 1, kChunk, file.get());
        bytes.resize(old + got);
        if (bytes.size() > maxBytes) {
            bytes.clear();
            return ReadResult::TooLarge;
        }
        if (got < kChunk) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        bytes.clear();
        return ReadResult::CannotRead;
    }
    return ReadResult::Ok;
}

bool FileCanBeOpened(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

bool TextFileReader::Open(const std::string& path) {
    std::string bytes;
    // Action lists are small; a file this large is no action list.
    constexpr std::size_t kMaxTextFile = 64 * 1024 * 1024;
    if (ReadWholeFile(path, bytes, kMaxTextFile) != ReadResult::Ok) {
        return false;
    }
    SetText(bytes);
    return true;
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
