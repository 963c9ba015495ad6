// zolt: edits the events of an AIBO robot's R-CODE program on its memory stick.

#include <windows.h>
#include <commctrl.h>

#include "editor/document/startup.h"
#include "editor/window/run_editor.h"
#include "win32ui/language.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A missing stick or an unreadable file makes file operations fail
    // quietly; the editor's own messages are the only ones the owner sees.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    zolt::SetActiveLeadBytes(zolt::SystemLeadBytes());
    INITCOMMONCONTROLSEX controls{
        sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    zolt::MessageBoxSink messages;
    const std::string_view argumentText =
        win32ui::ChooseLanguage(zolt::ArgumentText(GetCommandLineA()));
    zolt::StartEditor(instance, argumentText, messages);
    return 0;
}
