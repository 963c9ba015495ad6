#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zolt {

// The decimal number at the start of text, as C's atoi reads it (leading white
// space and a sign allowed), saturated at the limits of a 32-bit int.
int ReadLeadingInt(std::string_view text);

enum class ReadResult { Ok, CannotOpen, CannotRead, TooLarge };

// Action lists are small; a file larger than this is no action list.
inline constexpr std::size_t kMaxActionListSize = 64 * 1024 * 1024;

// Reads a whole file in binary. Its size is learned first: a file larger than
// maxBytes is refused before anything is read, and so is anything that is not
// a regular file (a folder, a FIFO, a device), which could never end or
// would wait forever.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// True when the path names a regular file that can be opened for reading.
bool FileCanBeOpened(const std::string& path);

// The first line of a text file as TextFileReader::ReadLine gives it, read
// without reading the rest of the file; empty when the file is empty.
ReadResult ReadFirstLine(const std::string& path, std::string& line, std::size_t maxChars);

// Reads a file the way Windows text mode reads it: every carriage return that
// stands right before a line feed is dropped; a lone carriage return stays.
// Done here rather than by the C library so every host reads the same.
class TextFileReader {
  public:
    void SetText(std::string_view bytes);

    // The next line as fgets with a buffer of maxChars + 1 delivers it: at most
    // maxChars characters, the line feed included when it fits. False at the end.
    bool ReadLine(std::string& line, std::size_t maxChars);

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace zolt
