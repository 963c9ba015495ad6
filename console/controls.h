#pragma once

// Thin wrappers over the console's controls: each says what it does with the
// messages the console sends.

#include <windows.h>

#include <cstdint>
#include <string>

namespace pupdesk {

// A text of the program's string table.
std::string LoadText(HINSTANCE instance, UINT id);

class Control {
  public:
    void Attach(HWND dialog, int id) { hwnd_ = GetDlgItem(dialog, id); }
    HWND Hwnd() const { return hwnd_; }
    void Enable(bool enable) { EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    void SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
    std::string Text() const;

  protected:
    HWND hwnd_ = nullptr;
};

// A check box or a radio button.
class CheckBox : public Control {
  public:
    bool Checked() const;
    void SetChecked(bool checked);
};

class ComboBox : public Control {
  public:
    void Add(const std::string& text);
    // Selects an entry; an index that names none leaves no selection.
    void Select(int index);
    int Selection() const;  // -1 when none
};

class TrackBar : public Control {
  public:
    void SetRange(int low, int high);
    int Position() const;
    void SetPosition(int position);
};

// An edit field that holds a number.
class NumberEdit : public Control {
  public:
    void SetNumber(std::int32_t number);
    // The run of digits at its start, as the settings files read numbers.
    std::int32_t Number() const;
};

}  // namespace pupdesk
