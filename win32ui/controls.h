#pragma once

// Thin wrappers over the controls both programs use: each member says what
// it does with the messages a dialog sends.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win32ui/text.h"

namespace win32ui {

// Owns an image list.
class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST handle) : handle_(handle) {}
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ImageList& operator=(ImageList&& other) noexcept {
        Reset(other.handle_);
        other.handle_ = nullptr;
        return *this;
    }
    ~ImageList() { Reset(nullptr); }

    HIMAGELIST Get() const { return handle_; }
    void Reset(HIMAGELIST handle) {
        if (handle_ != nullptr) {
            ImageList_Destroy(handle_);
        }
        handle_ = handle;
    }

  private:
    HIMAGELIST handle_ = nullptr;
};

// Keys pressed in a control go to its dialog first, as kShortcutMessage with
// the virtual key in wParam and the Shortcut modifier bits in lParam; a key
// the dialog takes (it sets a nonzero result) never reaches the control.
// When the control may have laid itself out anew (its size changed, or it
// painted for the first time, when a list view measures its items again),
// kLayoutMessage is posted to the dialog with the control's id in wParam.
inline constexpr UINT kShortcutMessage = WM_APP + 1;
inline constexpr UINT kLayoutMessage = WM_APP + 2;
enum Shortcut : unsigned { kCtrl = 1, kShift = 2, kAlt = 4 };
void RouteKeysAndSizeToDialog(HWND control);

// Any control of a dialog.
class Control {
  public:
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    void Attach(HWND dialog, int id) { hwnd_ = GetDlgItem(dialog, id); }
    HWND Hwnd() const { return hwnd_; }
    void Enable(bool enable) { EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    void SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
    // A text of the program's own, shown whatever the system's code page.
    void SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }
    std::string Text() const;

  protected:
    HWND hwnd_ = nullptr;
};

// A static text control, such as the status line.
class StaticText : public Control {};

// A check box or a radio button.
class CheckBox : public Control {
  public:
    bool Checked() const;
    void SetChecked(bool checked);
};

// A drop-down list box.
class ComboBox : public Control {
  public:
    void Add(const std::string& text);
    void Add(const std::wstring& text);
    // Selects an entry; an index that names none leaves no selection.
    void Select(int index);
    // The selected entry, or -1.
    int Selection() const;
};

class TrackBar : public Control {
  public:
    void SetRange(int low, int high);
    int Position() const;
    void SetPosition(int position);
};

class TreeView : public Control {
  public:
    HTREEITEM Append(HTREEITEM parent, const std::string& text, LPARAM data);
    HTREEITEM FirstRoot() const;
    HTREEITEM NextSibling(HTREEITEM item) const;
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM Selection() const;
    std::string Text(HTREEITEM item) const;
    LPARAM Data(HTREEITEM item) const;
    void Expand(HTREEITEM item);
    void Select(HTREEITEM item);
    // The item whose data is this, searched at both levels; null when none.
    HTREEITEM FindData(LPARAM data) const;
};

// One row of a list: what it shows, and what it means to its dialog.
struct ListRow {
    std::string text;
    int image = -1;
    LPARAM data = 0;
    // When set, what the row shows instead: a text of the program's own,
    // shown whatever the system's code page.
    std::wstring shown = {};
};

// A list view in list mode whose rows its dialog keeps (an owner-data list,
// LVS_OWNERDATA in the template): the control asks for the rows it shows, so
// a refill costs the same for ten rows and for ten thousand. The control
// keeps only which rows are selected.
class ListView : public Control {
  public:
    // Takes new rows: none selected, the first in view.
    void SetRows(std::vector<ListRow> rows);
    const std::vector<ListRow>& Rows() const { return rows_; }
    int Count() const { return static_cast<int>(rows_.size()); }
    // The row's meaning; 0 for an index that names no row.
    LPARAM Data(int index) const;
    // Answers the control's questions for the rows it shows and for typing
    // the start of a row's text (LVN_GETDISPINFO, LVN_ODFINDITEM); true
    // when the notification was one of them, with the result to report.
    bool Answer(const NMHDR& header, LRESULT& result) const;

    int SelectionMark() const;
    void SetSelectionMark(int index);
    // The first selected item, or -1.
    int Selected() const;
    // Every selected item, ascending.
    std::vector<int> SelectedIndexes() const;
    // Selects and focuses one item, shown in view; no other stays selected.
    void SelectOnly(int index) { SelectRange(index, 1); }
    // Selects `count` items from `first` and no others; the first is focused
    // and shown in view.
    void SelectRange(int first, int count);
    void SelectAll();
    // The item's place in screen coordinates; false when it has none.
    bool ItemScreenRect(int index, RECT& rect) const;
    void SetSmallImages(HIMAGELIST images);
    int ClientWidth() const;
    void SetColumnWidth(int width);
    HIMAGELIST CreateDragImage(int index) const;
    // The item under a point in the list's client coordinates, or -1.
    int HitTest(POINT point) const;

  private:
    int FindRow(int start, const std::string& prefix, bool wrap) const;

    std::vector<ListRow> rows_;
};

}  // namespace win32ui
