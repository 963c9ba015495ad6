// zolt: edits the events of an AIBO robot's R-CODE program on its memory stick.

#include <windows.h>
#include <commctrl.h>

#include "editor/document/startup.h"
#include "editor/window/run_editor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A missing stick or an unreadable file makes file operations fail
    // quietly; the editor's own messages are the only ones the owner sees.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    zolt::SetActiveLeadBytes(zolt::SystemLeadBytes());
    INITCOMMONCONTROLSEX controls{
        sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    zolt::MessageBoxSink messages;
    zolt::StartEditor(instance, zolt::ArgumentText(GetCommandLineA()), messages);
    return 0;
}
