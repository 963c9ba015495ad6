#include "editor/window/about_dialog.h"

#include <string>

#include "editor/resources/resource.h"
#include "win32ui/text.h"

namespace zolt {

const Route<AboutDialog> AboutDialog::kRoutes[3] = {
    {WM_INITDIALOG, 0, 0, &AboutDialog::Init},
    {WM_COMMAND, BN_CLICKED, IDOK, &AboutDialog::Close},
    {WM_COMMAND, BN_CLICKED, IDCANCEL, &AboutDialog::Close},
};

void AddAboutEntry(HINSTANCE instance, HWND hwnd) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (menu == nullptr) {
        return;
    }
    const std::wstring text = win32ui::LoadWideText(instance, IDS_ABOUTBOX);
    if (text.empty()) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text.c_str());
}

}  // namespace zolt
