#include "console/controls.h"

#include <commctrl.h>

#include "console/settings.h"

namespace pupdesk {

std::string LoadText(HINSTANCE instance, UINT id) {
    char text[256] = "";
    LoadStringA(instance, id, text, sizeof text);
    return text;
}

std::string Control::Text() const {
    char text[256] = "";
    GetWindowTextA(hwnd_, text, sizeof text);
    return text;
}

bool CheckBox::Checked() const {
    return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ComboBox::Add(const std::string& text) {
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::Select(int index) {
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboBox::Selection() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}

void TrackBar::SetRange(int low, int high) {
    SendMessageA(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
}

int TrackBar::Position() const {
    return static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0));
}

void TrackBar::SetPosition(int position) {
    SendMessageA(hwnd_, TBM_SETPOS, TRUE, position);
}

void NumberEdit::SetNumber(std::int32_t number) {
    SetText(std::to_string(number));
}

std::int32_t NumberEdit::Number() const {
    const std::string text = Text();
    return ReadLeadingNumber(text.data(), text.size());
}

}  // namespace pupdesk
