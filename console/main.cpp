// Pupdesk: the settings console of Pupalong, run from the robot's memory stick.

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "console/console_dialog.h"
#include "win32ui/language.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The only argument is the language switch.
    win32ui::ChooseLanguage(__argc > 1 ? __argv[1] : "");
    std::array<bool, 256> lead{};
    for (int c = 0; c < 256; ++c) {
        lead[static_cast<std::size_t>(c)] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0;
    }
    pupdesk::SetLeadBytes(lead);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The files are found from the root of the current drive.
    const pupdesk::SettingsFiles files = pupdesk::FilesBelow("");
    pupdesk::OfferUnplacedSettings(instance, files, pupdesk::SystemFileOps());
    pupdesk::MessageBoxSink failures;
    pupdesk::ConsoleDialog dialog(instance, files, pupdesk::SystemFileOps(), failures);
    const INT_PTR result = dialog.Run(GetActiveWindow());
    return static_cast<int>(result);
}
