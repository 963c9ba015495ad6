#pragma once

// Thin wrappers over the controls both programs use: each member says what
// it does with the messages a dialog sends.

#include <windows.h>
#include <commctrl.h>

#include <string>

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

// A list view in list mode.
class ListView : public Control {
  public:
    // Holds the list's drawing and layout while it is refilled, and makes
    // room for the items first: a refill of thousands of items stays quick.
    class Refill {
      public:
        Refill(ListView& list, int expectedCount);
        ~Refill();
        Refill(const Refill&) = delete;
        Refill& operator=(const Refill&) = delete;

      private:
        HWND hwnd_;
    };

    void Clear();
    int Append(const std::string& text, int image, LPARAM data);
    int Count() const;
    LPARAM Data(int index) const;
    void SetData(int index, LPARAM data);
    int SelectionMark() const;
    void SetSelectionMark(int index);
    // The first selected item, or -1.
    int Selected() const;
    // Selects and focuses one item, shown in view.
    void SelectOnly(int index);
    void SetSmallImages(HIMAGELIST images);
    int ClientWidth() const;
    void SetColumnWidth(int width);
    HIMAGELIST CreateDragImage(int index) const;
    // The item under a point in the list's client coordinates, or -1.
    int HitTest(POINT point) const;
};

}  // namespace win32ui
