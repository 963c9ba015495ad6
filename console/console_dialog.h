#pragma once

#include <windows.h>

#include <string>

#include "console/controls.h"
#include "console/settings.h"
#include "win32ui/controls.h"
#include "win32ui/dialog.h"

namespace pupdesk {

// The console is made of the shared dialog base and control wrappers.
using namespace win32ui;

// How the console tells the owner that a save failed: a message box in the
// program, captured in tests.
class SaveFailureSink {
  public:
    virtual ~SaveFailureSink() = default;
    virtual void ShowSaveFailure(HWND owner, const std::wstring& text) = 0;
};

class MessageBoxSink : public SaveFailureSink {
  public:
    void ShowSaveFailure(HWND owner, const std::wstring& text) override;
};

// Before the console opens: when a save that was cut short left settings
// files beside their places, asks the owner whether to put them in place,
// and does so (each in one step, as a save's last step) on Yes.
void OfferUnplacedSettings(HINSTANCE instance, const SettingsFiles& files, FileOps& ops);

// The settings console: volume, gender, see-ball sound, camera settings,
// three switches and the learning status. Save ends it with 1, Cancel with 2.
class ConsoleDialog : public Dialog<ConsoleDialog> {
  public:
    ConsoleDialog(HINSTANCE instance, SettingsFiles files, FileOps& ops, SaveFailureSink& failures);

    INT_PTR Run(HWND owner);

    static const Route<ConsoleDialog> kRoutes[6];

    const ConsoleSettings& Settings() const { return settings_; }

  private:
    INT_PTR OpenDialog(WPARAM, LPARAM);
    INT_PTR TrackBarMoved(WPARAM, LPARAM);
    INT_PTR ManualCameraClicked(WPARAM, LPARAM);
    INT_PTR Defaults(WPARAM, LPARAM);
    INT_PTR Save(WPARAM, LPARAM);
    INT_PTR Cancel(WPARAM, LPARAM);

    void AttachControls();
    void RefreshCaptions();
    void ShowValues();
    void ShowCameraValues(const ConsoleSettings& values);
    void CollectValues();
    void ApplyCameraEnabling();
    void CentreOnOwner();
    void EnableFramedGroup(int id, bool enable);

    HINSTANCE instance_;
    SettingsFiles files_;
    FileOps& ops_;
    SaveFailureSink& failures_;
    ConsoleSettings settings_;
    HICON icon_ = nullptr;
    std::wstring volumeCaption_;
    std::wstring learningStatus_;

    TrackBar volume_;
    Control volumeCaptionText_;
    Control learningStatusText_;
    CheckBox gender_[3];
    ComboBox sound_;
    CheckBox manualCamera_;
    CheckBox disableNameRegistration_;
    CheckBox disableRollOver_;
    CheckBox elephantMode_;
    NumberEdit balance_;
    NumberEdit gain_;
    NumberEdit shutter_;
};

}  // namespace pupdesk
