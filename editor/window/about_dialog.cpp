#include "editor/window/about_dialog.h"

#include "editor/resources/resource.h"

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
    char text[256] = "";
    if (LoadStringA(instance, IDS_ABOUTBOX, text, sizeof text) <= 0 || text[0] == '\0') {
        return;
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

}  // namespace zolt
