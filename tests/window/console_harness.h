#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "console/console_dialog.h"

#include "threads.h"

namespace window_test {

// Takes the console's save-failure messages instead of showing them.
class CapturedFailures : public pupdesk::SaveFailureSink {
  public:
    void ShowSaveFailure(HWND, const std::wstring& text) override;
    std::vector<std::string> Shown();

  private:
    Mutex mutex_;
    std::vector<std::string> shown_;
};

// A scratch stick for the console: the three files, each written only when
// given, below a fresh folder.
struct ConsoleStick {
    std::string root;
    pupdesk::SettingsFiles files;
};
ConsoleStick WriteConsoleStick(const std::string& name, const std::string* plus,
                               const std::string* array1, const std::string* endure);
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

// The console dialog on a thread of its own, driven with real input.
class Console {
  public:
    explicit Console(const std::string& root);
    ~Console();

    HWND Dialog() const { return hwnd_; }
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    std::string Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const;
    LONG_PTR Style(int id) const { return GetWindowLongPtrA(Control(id), GWL_STYLE); }
    int TrackPosition() const;
    int SoundSelection() const;
    CapturedFailures& Failures() { return failures_; }

    // Clicks a control a few pixels in from its left edge, on its box or text.
    void ClickControl(int id);
    void Key(WORD vk);
    void Type(const std::string& digitsAndLetters);
    void Settle() const;
    bool Running() const { return hwnd_ != nullptr && IsWindow(hwnd_); }
    INT_PTR WaitForEnd();

  private:
    CapturedFailures failures_;
    std::atomic<DWORD> threadId_{0};
    HWND hwnd_ = nullptr;
    std::unique_ptr<Thread> thread_;
    INT_PTR result_ = -100;
};

}  // namespace window_test
