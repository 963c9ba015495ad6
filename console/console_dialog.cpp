#include "console/console_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "console/resources/resource.h"

namespace pupdesk {

namespace {

constexpr int kVolumeLevels = 5;
constexpr int kSoundCount = 3;
constexpr int kGenderButtons[] = {IDC_GENDER_AUTO, IDC_GENDER_BOY, IDC_GENDER_GIRL};
constexpr int kCameraControls[] = {IDC_BALANCE,       IDC_GAIN,       IDC_SHUTTER,
                                   IDC_BALANCE_LABEL, IDC_GAIN_LABEL, IDC_SHUTTER_LABEL};

}  // namespace

// Captioned as the console is.
void MessageBoxSink::ShowSaveFailure(HWND owner, const std::wstring& text) {
    char caption[128] = "";
    GetWindowTextA(owner, caption, sizeof caption);
    ShowMessageBox(owner, text, caption, MB_OK | MB_ICONWARNING);
}

void OfferUnplacedSettings(HINSTANCE instance, const SettingsFiles& files, FileOps& ops) {
    const std::vector<UnplacedFile> found = FindUnplacedSettings(files, ops);
    if (found.empty()) {
        return;
    }
    std::wstring list;
    for (const UnplacedFile& file : found) {
        list += FormatWideText(LoadWideText(instance, IDS_RECOVER_FILE),
                               {WideText(file.target), WideText(file.path),
                                std::to_wstring(file.size), WideText(FileTimeText(file.path))});
    }
    const std::wstring question = FormatWideText(
        LoadWideText(instance, found.size() == 1 ? IDS_RECOVER_ONE : IDS_RECOVER_BOTH), {list});
    char exe[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string caption = exe;
    caption = caption.substr(caption.find_last_of("\\/") + 1);
    caption = caption.substr(0, caption.rfind('.'));
    if (ShowMessageBox(nullptr, question, caption, MB_YESNO | MB_ICONWARNING) == IDYES) {
        for (const UnplacedFile& file : found) {
            ops.Replace(file.path, file.target);
        }
    }
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

void ConsoleDialog::AttachControls() {
    volume_.Attach(hwnd_, IDC_VOLUME);
    volumeCaptionText_.Attach(hwnd_, IDC_VOLUME_CAPTION);
    learningStatusText_.Attach(hwnd_, IDC_LEARNING_STATUS);
    for (int i = 0; i < 3; ++i) {
        gender_[i].Attach(hwnd_, kGenderButtons[i]);
    }
    sound_.Attach(hwnd_, IDC_SEE_BALL_SOUND);
    manualCamera_.Attach(hwnd_, IDC_MANUAL_CAMERA);
    disableNameRegistration_.Attach(hwnd_, IDC_DISABLE_NAME_REGISTRATION);
    disableRollOver_.Attach(hwnd_, IDC_DISABLE_ROLL_OVER);
    elephantMode_.Attach(hwnd_, IDC_ELEPHANT_MODE);
    balance_.Attach(hwnd_, IDC_BALANCE);
    gain_.Attach(hwnd_, IDC_GAIN);
    shutter_.Attach(hwnd_, IDC_SHUTTER);
}

INT_PTR ConsoleDialog::OpenDialog(WPARAM, LPARAM) {
    AttachControls();
    settings_ = LoadSettings(files_);
    volume_.SetRange(0, kVolumeLevels - 1);
    volume_.SetPosition(ConsoleSettings{}.volumeLevel);
    if (settings_.plusValid) {
        volume_.SetPosition(settings_.volumeLevel);
    }
    for (int i = 0; i < kSoundCount; ++i) {
        sound_.Add(LoadWideText(instance_, IDS_SOUND_FIRST + static_cast<UINT>(i)));
    }
    sound_.Select(settings_.seeBallSound);
    ShowCameraValues(settings_);
    RefreshCaptions();
    ShowValues();
    if (!settings_.plusValid) {
        volume_.Enable(false);
        volumeCaptionText_.Enable(false);
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

// The defaults are those of a fresh ConsoleSettings; the learning status and
// what was loaded stay as they are.
INT_PTR ConsoleDialog::Defaults(WPARAM, LPARAM) {
    const ConsoleSettings defaults;
    volume_.SetPosition(defaults.volumeLevel);
    sound_.Select(defaults.seeBallSound);
    settings_.gender = defaults.gender;
    settings_.manualCamera = defaults.manualCamera;
    settings_.disableRollOver = defaults.disableRollOver;
    settings_.disableNameRegistration = defaults.disableNameRegistration;
    settings_.elephantMode = defaults.elephantMode;
    ShowCameraValues(defaults);
    RefreshCaptions();
    ShowValues();
    ApplyCameraEnabling();
    return TRUE;
}

INT_PTR ConsoleDialog::Save(WPARAM, LPARAM) {
    CollectValues();
    settings_.seeBallSound = sound_.Selection();
    if (settings_.seeBallSound < 0) {
        settings_.seeBallSound = -1;
    }
    settings_.balance = balance_.Number();
    settings_.gain = gain_.Number();
    settings_.shutter = shutter_.Number();
    settings_.volumeLevel = volume_.Position();
    const Message failure = SaveSettings(settings_, files_, ops_);
    if (!failure.Empty()) {
        // The dialog stays open: the owner may try again or cancel.
        failures_.ShowSaveFailure(hwnd_,
                                  MessageWideText(instance_, IDS_SETTINGS_MESSAGE_FIRST, failure));
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
    const int position = volume_.Position();
    volumeCaption_ = LoadWideText(
        instance_, IDS_VOLUME_FIRST + static_cast<UINT>(position >= 0 && position < kVolumeLevels
                                                            ? position
                                                            : ConsoleSettings{}.volumeLevel));
    learningStatus_ = FormatWideText(LoadWideText(instance_, IDS_LEARNING_STATUS),
                                     {std::to_wstring(static_cast<int>(settings_.learnedThings)),
                                      std::to_wstring(static_cast<int>(settings_.forgottenThings)),
                                      std::to_wstring(static_cast<int>(settings_.endurance))});
    volumeCaptionText_.SetText(volumeCaption_);
    learningStatusText_.SetText(learningStatus_);
}

void ConsoleDialog::ShowValues() {
    volumeCaptionText_.SetText(volumeCaption_);
    learningStatusText_.SetText(learningStatus_);
    for (int i = 0; i < 3; ++i) {
        gender_[i].SetChecked(settings_.gender == i);
    }
    manualCamera_.SetChecked(settings_.manualCamera != 0);
    disableNameRegistration_.SetChecked(settings_.disableNameRegistration != 0);
    disableRollOver_.SetChecked(settings_.disableRollOver != 0);
    elephantMode_.SetChecked(settings_.elephantMode != 0);
}

void ConsoleDialog::ShowCameraValues(const ConsoleSettings& values) {
    balance_.SetNumber(values.balance);
    gain_.SetNumber(values.gain);
    shutter_.SetNumber(values.shutter);
}

void ConsoleDialog::CollectValues() {
    settings_.gender = -1;
    for (int i = 0; i < 3; ++i) {
        if (gender_[i].Checked()) {
            settings_.gender = i;
        }
    }
    settings_.manualCamera = manualCamera_.Checked() ? 1 : 0;
    settings_.disableNameRegistration = disableNameRegistration_.Checked() ? 1 : 0;
    settings_.disableRollOver = disableRollOver_.Checked() ? 1 : 0;
    settings_.elephantMode = elephantMode_.Checked() ? 1 : 0;
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

}  // namespace pupdesk
