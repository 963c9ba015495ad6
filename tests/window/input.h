#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Real mouse and keyboard input for the window tests. Every event goes through
// SendInput on its own, and each helper then waits for the window's thread to
// take it: a batch of events in one call selects but starts no drag.
namespace window_test {

void Settle(HWND window);
void MouseMove(HWND window, POINT point);
// A second press soon after the first would be a double click: the press waits
// out the double-click time.
void MouseDown(HWND window, POINT point);
void MouseUp(HWND window, POINT point);
void Click(HWND window, POINT point);
void RightClick(HWND window, POINT point);
// Two presses within the double-click time.
void DoubleClick(HWND window, POINT point);
void KeyPress(HWND window, WORD vk);
// A key pressed while others are held down.
void KeyChord(HWND window, const std::vector<WORD>& held, WORD vk);
// Keys as an owner types them: "Tab Down Alt+Up Ctrl+Shift+Z", one chord
// after another; a single letter names its key.
void PressKeys(HWND window, const std::string& keys);

// How long a test waits for a window to appear.
inline constexpr DWORD kWindowWaitMs = 60000;

// The first visible window of a thread whose class (when given) and title
// (when given) match, waiting up to kWindowWaitMs for it; null when none came.
HWND WaitForThreadWindow(DWORD thread, const char* className, const char* title);

// A program's name in quotes, as a command line starts.
std::string Quoted(const std::string& path);

// The texts of a window's child windows, in their order.
std::vector<std::string> ChildTexts(HWND window);

// The texts of a dialog's labels, buttons, check boxes and group boxes, in
// their order, but for the controls named.
std::vector<std::string> LabelTexts(HWND dialog, const std::vector<int>& except = {});

// A dialog template's caption and label texts as Windows reads them from a
// module's resources in one language (the caption first).
std::vector<std::string> TemplateTexts(HMODULE module, int templateId, LANGID language,
                                       const std::vector<int>& except = {});

// The labels of a dialog whose texts do not fit their controls, in the
// controls' own fonts: a label's text wrapped to its width must fit its
// height, a button's, a check box's (beside its box) and a group box's
// title must fit the width.
std::vector<std::string> CutOffTexts(HWND dialog);

// Saves the whole screen as a BMP file in the folder ZOLT_SCREENSHOTS names,
// when it names one.
void SaveScreenshot(const std::string& name);

// The clipboard's text in one format (CF_TEXT as char, CF_UNICODETEXT as
// wchar_t); empty when it holds none.
template <typename Char>
std::basic_string<Char> ClipboardText(UINT format) {
    std::basic_string<Char> text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(format)) {
            text = static_cast<const Char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

}  // namespace window_test
