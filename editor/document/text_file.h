#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zolt {

enum class ReadResult { Ok, CannotOpen, CannotRead, TooLarge };

// Reads a whole file in binary; files larger than maxBytes are refused.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

bool FileCanBeOpened(const std::string& path);

// Reads a file the way Windows text mode reads it: every carriage return that
// stands right before a line feed is dropped; a lone carriage return stays.
// Done here rather than by the C library so every host reads the same.
class TextFileReader {
  public:
    bool Open(const std::string& path);
    void SetText(std::string_view bytes);

    // The next line as fgets with a buffer of maxChars + 1 delivers it: at most
    // maxChars characters, the line feed included when it fits. False at the end.
    bool ReadLine(std::string& line, std::size_t maxChars);

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace zolt
