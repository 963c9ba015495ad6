#include "console/console_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "console/resources/resource.h"

namespace pupdesk {

namespace {

constexpr const char* kVolumeNames[] = {"Off", "Quiet", "Normal", "Loud", "Maximum"};
constexpr const char* kSounds[] = {"Charge!", "Bark", "None"};
constexpr int kGenderButtons[] = {IDC_GENDER_AUTO, IDC_GENDER_BOY, IDC_GENDER_GIRL};
constexpr int kCameraControls[] = {IDC_BALANCE,       IDC_GAIN,       IDC_SHUTTER,
                                   IDC_BALANCE_LABEL, IDC_GAIN_LABEL, IDC_SHUTTER_LABEL};

}  // namespace

void MessageBoxSink::ShowSaveFailure(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Pupalong 2.52 Console", MB_OK | MB_ICONWARNING);
}

const Route<ConsoleDialog> ConsoleDialog::kRoutes[6] = {
    {WM_INITDIALOG, 0, 0, &ConsoleDialog::OpenDialog},
    {WM_HSCROLL, 0, 0, &ConsoleDialog::TrackBarMoved},
    {WM_COMMAND, BN_CLICKED, IDC_MANUAL_CAMERA, &ConsoleDialog::ManualCameraClicked},
    {WM_COMMAND, BN_CLICKED, IDC_DEFAULTS, &ConsoleDialog::Defaults},
    {WM_COMMAND, BN_CLICKED, IDOK, &ConsoleDialog::Save},
    {WM_COMMAND, BN_CLICKED, IDCANCEL, &ConsoleDialog::Cancel},
};

ConsoleDialog::ConsoleDialog(HINSTANCE instance, SettingsFiles files, FileOps& ops,
                             SaveFailureSink& failures)
    : instance_(instance), files_(std::move(files)), ops_(ops), failures_(failures) {
    icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_PUPDESK));
}

INT_PTR ConsoleDialog::Run(HWND owner) {
    return RunModal(instance_, IDD_CONSOLE, owner);
}

INT_PTR ConsoleDialog::OpenDialog(WPARAM, LPARAM) {
    settings_ = LoadSettings(files_);

    const HWND volume = GetDlgItem(hwnd_, IDC_VOLUME);
    SendMessageA(volume, TBM_SETRANGE, TRUE, MAKELPARAM(0, 4));
    SetTrackBarPosition(2);
    if (settings_.plusValid) {
        SetTrackBarPosition(settings_.volumeLevel);
    }

    const HWND sounds = GetDlgItem(hwnd_, IDC_SEE_BALL_SOUND);
    for (const char* sound : kSounds) {
        SendMessageA(sounds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sound));
    }
    SendMessageA(sounds, CB_SETCURSEL, settings_.seeBallSound, 0);

    SetDlgItemInt(hwnd_, IDC_BALANCE, static_cast<UINT>(settings_.balance), FALSE);
    SetDlgItemInt(hwnd_, IDC_GAIN, static_cast<UINT>(settings_.gain), FALSE);
    SetDlgItemInt(hwnd_, IDC_SHUTTER, static_cast<UINT>(settings_.shutter), FALSE);

    RefreshCaptions();
    ShowValues();
    if (!settings_.plusValid) {
        EnableWindow(volume, FALSE);
        EnableWindow(GetDlgItem(hwnd_, IDC_VOLUME_CAPTION), FALSE);
        EnableFramedGroup(IDC_VOLUME_GROUP, false);
    }
    ApplyCameraEnabling();
    CentreOnOwner();
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return TRUE;
}

INT_PTR ConsoleDialog::TrackBarMoved(WPARAM, LPARAM) {
    RefreshCaptions();
    return TRUE;
}

INT_PTR ConsoleDialog::ManualCameraClicked(WPARAM, LPARAM) {
    CollectValues();
    ApplyCameraEnabling();
    return TRUE;
}

INT_PTR ConsoleDialog::Defaults(WPARAM, LPARAM) {
    SetTrackBarPosition(2);
    SendDlgItemMessageA(hwnd_, IDC_SEE_BALL_SOUND, CB_SETCURSEL, 0, 0);
    settings_.gender = 0;
    settings_.manualCamera = 0;
    settings_.disableRollOver = 0;
    settings_.disableNameRegistration = 0;
    settings_.elephantMode = 0;
    SetDlgItemTextA(hwnd_, IDC_BALANCE, "3");
    SetDlgItemTextA(hwnd_, IDC_GAIN, "2");
    SetDlgItemTextA(hwnd_, IDC_SHUTTER, "2");
    RefreshCaptions();
    ShowValues();
    ApplyCameraEnabling();
    return TRUE;
}

INT_PTR ConsoleDialog::Save(WPARAM, LPARAM) {
    CollectValues();
    settings_.seeBallSound = static_cast<std::int32_t>(
        SendDlgItemMessageA(hwnd_, IDC_SEE_BALL_SOUND, CB_GETCURSEL, 0, 0));
    if (settings_.seeBallSound < 0) {
        settings_.seeBallSound = -1;
    }
    settings_.balance = EditNumber(IDC_BALANCE);
    settings_.gain = EditNumber(IDC_GAIN);
    settings_.shutter = EditNumber(IDC_SHUTTER);
    settings_.volumeLevel = TrackBarPosition();
    const std::string failure = SaveSettings(settings_, files_, ops_);
    if (!failure.empty()) {
        // The dialog stays open: the owner may try again or cancel.
        failures_.ShowSaveFailure(hwnd_, failure);
        return TRUE;
    }
    EndDialog(hwnd_, 1);
    return TRUE;
}

INT_PTR ConsoleDialog::Cancel(WPARAM, LPARAM) {
    EndDialog(hwnd_, 2);
    return TRUE;
}

void ConsoleDialog::RefreshCaptions() {
    const int position = TrackBarPosition();
    volumeCaption_ = position >= 0 && position <= 4 ? kVolumeNames[position] : "Normal";
    char status[128];
    std::snprintf(status, sizeof status, "%d Learned Things\n%d Forgotten Things\n%d Endurance",
                  static_cast<int>(settings_.learnedThings),
                  static_cast<int>(settings_.forgottenThings),
                  static_cast<int>(settings_.endurance));
    learningStatus_ = status;
    SetDlgItemTextA(hwnd_, IDC_VOLUME_CAPTION, volumeCaption_.c_str());
    SetDlgItemTextA(hwnd_, IDC_LEARNING_STATUS, learningStatus_.c_str());
}

void ConsoleDialog::ShowValues() {
    SetDlgItemTextA(hwnd_, IDC_VOLUME_CAPTION, volumeCaption_.c_str());
    SetDlgItemTextA(hwnd_, IDC_LEARNING_STATUS, learningStatus_.c_str());
    for (int i = 0; i < 3; ++i) {
        CheckDlgButton(hwnd_, kGenderButtons[i],
                       settings_.gender == i ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckDlgButton(hwnd_, IDC_MANUAL_CAMERA, settings_.manualCamera ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_DISABLE_NAME_REGISTRATION,
                   settings_.disableNameRegistration ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_DISABLE_ROLL_OVER,
                   settings_.disableRollOver ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_ELEPHANT_MODE, settings_.elephantMode ? BST_CHECKED : BST_UNCHECKED);
}

void ConsoleDialog::CollectValues() {
    settings_.gender = -1;
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(hwnd_, kGenderButtons[i]) == BST_CHECKED) {
            settings_.gender = i;
        }
    }
    auto checked = [this](int id) { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0; };
    settings_.manualCamera = checked(IDC_MANUAL_CAMERA);
    settings_.disableNameRegistration = checked(IDC_DISABLE_NAME_REGISTRATION);
    settings_.disableRollOver = checked(IDC_DISABLE_ROLL_OVER);
    settings_.elephantMode = checked(IDC_ELEPHANT_MODE);
}

void ConsoleDialog::ApplyCameraEnabling() {
    const bool enable = settings_.manualCamera != 0;
    for (int id : kCameraControls) {
        EnableWindow(GetDlgItem(hwnd_, id), enable);
    }
    EnableFramedGroup(IDC_CAMERA_GROUP, enable);
}

// A flat group box looks disabled only without BS_FLAT, so the style follows
// the enabled state, and changes first.
void ConsoleDialog::EnableFramedGroup(int id, bool enable) {
    const HWND group = GetDlgItem(hwnd_, id);
    LONG_PTR style = GetWindowLongPtrA(group, GWL_STYLE);
    style = enable ? (style | BS_FLAT) : (style & ~static_cast<LONG_PTR>(BS_FLAT));
    SetWindowLongPtrA(group, GWL_STYLE, style);
    EnableWindow(group, enable);
    InvalidateRect(group, nullptr, TRUE);
}

void ConsoleDialog::CentreOnOwner() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    RECT mine{};
    GetWindowRect(hwnd_, &mine);
    const int width = mine.right - mine.left;
    const int height = mine.bottom - mine.top;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    if (x + width > work.right) {
        x = work.right - width;
    }
    if (y + height > work.bottom) {
        y = work.bottom - height;
    }
    if (x < work.left) {
        x = work.left;
    }
    if (y < work.top) {
        y = work.top;
    }
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ConsoleDialog::TrackBarPosition() const {
    return static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_VOLUME, TBM_GETPOS, 0, 0));
}

void ConsoleDialog::SetTrackBarPosition(int position) {
    SendDlgItemMessageA(hwnd_, IDC_VOLUME, TBM_SETPOS, TRUE, position);
}

std::int32_t ConsoleDialog::EditNumber(int id) const {
    char text[64] = "";
    const int length = GetDlgItemTextA(hwnd_, id, text, sizeof text);
    return ReadLeadingNumber(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace pupdesk
