#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zolt {

// The kind of an R-CODE line; its number is the index of the line's icon in
// the kind icon strip that the code list and the palette share.
enum CodeKind : int {
    kKindWait = 0,
    kKindMove = 1,
    kKindSystem = 2,
    kKindUser = 3,
    kKindLed = 4,
    kKindCall = 5,
    kKindOther = 6,
};
inline constexpr int kKindCount = 7;

// The actions that count as movements after "PLAY ACTION ", in the order
// they are tried.
inline constexpr std::array<std::string_view, 13> kMovementNames = {
    "WALK",   "STOP_WALK", "TURN",       "KICK",       "TOUCH",      "MOVE_HEAD", "TRACK_HEAD",
    "SEARCH", "PALONE.",   "MOVE.HEAD.", "MOVE.TURN.", "MOVE.MOVE.", "CONTACT.",
};

// The kind of a code line, or of a code text by its first line. Only the
// start of the text is compared, case-sensitively, nothing trimmed.
int ClassifyCodeLine(std::string_view text);

// The code text of an installed action: "PLAY <command> <name>", the comment
// after " // " when there is one, then a "WAIT" line unless the name contains
// "_NOWAIT".
std::string ComposeInstalledAction(std::string_view commandWord, std::string_view name,
                                   std::string_view comment);

// What the status line shows for a palette item: the text after the first
// "//" (or the whole text), up to the end of that line.
std::string HintText(std::string_view codeText);

}  // namespace zolt
