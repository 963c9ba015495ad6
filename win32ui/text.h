#pragma once

// Texts of the programs' resources, and the pieces a message fills in.

#include <windows.h>

#include <initializer_list>
#include <string>

namespace win32ui {

// A text of the program's string table.
std::string LoadText(HINSTANCE instance, UINT id);

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
