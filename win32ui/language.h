#pragma once

// The language the programs show: Japanese on a Windows whose display
// language is Japanese, English on every other. Every text, dialog template
// and menu is looked up in that language among the program's resources,
// with English where a resource has no Japanese form; the same lookups work
// on Windows XP and on later versions, whose own loader would follow other
// settings.

#include <windows.h>

#include <string>
#include <string_view>

namespace win32ui {

enum class Language { English, Japanese };

// Picks the language at start: ZOLT_LANGUAGE=ja or =en in the environment,
// or a /lang:ja or /lang:en switch at the start of the argument text, forces
// one; otherwise the user's display language decides. Returns the argument
// text after the switch.
std::string_view ChooseLanguage(std::string_view argumentText);

void SetLanguage(Language language);
Language ShownLanguage();
LANGID ShownLanguageId();

// The program's resource in the shown language, or in English.
HRSRC FindShownResource(HINSTANCE instance, LPCSTR type, LPCSTR name);

// A dialog template or a menu in the shown language.
const DLGTEMPLATE* LoadDialogTemplate(HINSTANCE instance, int templateId);
HMENU LoadShownMenu(HINSTANCE instance, int menuId);

// A message box whose buttons speak the shown language; its text shows
// whatever the system's code page, its caption is in that code page.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::string& caption, UINT type);

}  // namespace win32ui
