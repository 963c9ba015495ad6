#pragma once

#include <windows.h>

#include "win32ui/dialog.h"

namespace zolt {

using win32ui::Dialog;
using win32ui::Route;

// The About box: icon, name and version, OK. OK, Escape and the close box
// end it.
class AboutDialog : public Dialog<AboutDialog> {
  public:
    static const Route<AboutDialog> kRoutes[3];

  private:
    INT_PTR Init(WPARAM, LPARAM) { return TRUE; }
    INT_PTR Close(WPARAM wParam, LPARAM) {
        EndDialog(hwnd_, LOWORD(wParam));
        return TRUE;
    }
};

// Appends a separator and "&About ZOLT..." to the window's system menu.
void AddAboutEntry(HINSTANCE instance, HWND hwnd);

}  // namespace zolt
