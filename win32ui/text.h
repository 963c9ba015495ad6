#pragma once

// Texts of the programs' resources, and the pieces a message fills in.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "messages/message.h"

namespace win32ui {

// A text of the program's string table in the shown language, in the
// system's ANSI code page as the programs keep their texts.
std::string LoadText(HINSTANCE instance, UINT id);

// The same text as UTF-16, for the controls and boxes that show it: the
// shown language's texts then show whatever the system's code page.
std::wstring LoadWideText(HINSTANCE instance, UINT id);

// A text in the system's ANSI code page (a path, a line of the stick) as
// UTF-16.
std::wstring WideText(std::string_view text);

// FormatText for UTF-16 texts.
std::wstring FormatWideText(const std::wstring& pattern, const std::vector<std::wstring>& values);

// A core's message as UTF-16, its patterns those of the string table from
// `firstId` on, by the message's id.
std::wstring MessageWideText(HINSTANCE instance, UINT firstId, const messages::Message& message);

// A pattern with numbered places (%1 to %9) filled in, so that each language
// can put them where its word order wants them. The values are taken as they
// are: a % in a path is never read as a place.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> values);

// A text of a control that speaks UTF-16, in the system's ANSI code page,
// as the programs keep every text.
std::string NarrowText(const wchar_t* text);

// When a file was last written, as the owner's Windows writes a date and a
// time; empty when it cannot be learned.
std::string FileTimeText(const std::string& path);

}  // namespace win32ui
