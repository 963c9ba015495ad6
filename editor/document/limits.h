#pragma once

#include <cstddef>

namespace zolt {

// Limits that the stick's file formats and the robot's tools name.
inline constexpr std::size_t kMaxLineLength = 255;  // characters of one program or action-list line
inline constexpr std::size_t kMaxPathLength = 259;  // characters of a full path
inline constexpr std::size_t kMaxCodeTextLength = 255;
inline constexpr std::size_t kMaxShownTextLength = 63;
inline constexpr int kMaxRecords = 200;
// Largest program file whose length fits the document's 32-bit length.
inline constexpr std::size_t kMaxProgramFileSize = 0x7FFFFFFF;

}  // namespace zolt
