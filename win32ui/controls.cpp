#include "win32ui/controls.h"

#include <vector>

namespace win32ui {

namespace {

constexpr char kOldProc[] = "win32ui.proc";
constexpr char kEatChar[] = "win32ui.eat";
constexpr char kEatKeyUp[] = "win32ui.eatup";
constexpr char kPainted[] = "win32ui.painted";

LRESULT CALLBACK ShortcutProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProc));
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        RemovePropA(hwnd, kEatChar);
        RemovePropA(hwnd, kEatKeyUp);
        unsigned keys = 0;
        keys |= GetKeyState(VK_CONTROL) < 0 ? kCtrl : 0u;
        keys |= GetKeyState(VK_SHIFT) < 0 ? kShift : 0u;
        keys |= (lParam & (1 << 29)) != 0 ? kAlt : 0u;
        if (SendMessageA(GetParent(hwnd), kShortcutMessage, wParam, keys) != 0) {
            // The character the key makes is not the control's either, nor
            // the release of the menu key (which would open the context menu
            // once more).
            SetPropA(hwnd, kEatChar, reinterpret_cast<HANDLE>(1));
            if (wParam == VK_APPS) {
                SetPropA(hwnd, kEatKeyUp, reinterpret_cast<HANDLE>(wParam));
            }
            return 0;
        }
    } else if ((message == WM_KEYUP || message == WM_SYSKEYUP) &&
               GetPropA(hwnd, kEatKeyUp) == reinterpret_cast<HANDLE>(wParam)) {
        RemovePropA(hwnd, kEatKeyUp);
        return 0;
    } else if ((message == WM_CHAR || message == WM_SYSCHAR) && GetPropA(hwnd, kEatChar)) {
        RemovePropA(hwnd, kEatChar);
        return 0;
    } else if (message == WM_SIZE || (message == WM_PAINT && !GetPropA(hwnd, kPainted))) {
        SetPropA(hwnd, kPainted, reinterpret_cast<HANDLE>(1));
        const LRESULT result = CallWindowProcA(old, hwnd, message, wParam, lParam);
        PostMessageA(GetParent(hwnd), kLayoutMessage, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
        return result;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(hwnd, kOldProc);
        RemovePropA(hwnd, kEatChar);
        RemovePropA(hwnd, kEatKeyUp);
        RemovePropA(hwnd, kPainted);
    }
    return CallWindowProcA(old, hwnd, message, wParam, lParam);
}

}  // namespace

std::string Control::Text() const {
    char text[512] = "";
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

void ComboBox::Add(const std::wstring& text) {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
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

void RouteKeysAndSizeToDialog(HWND control) {
    const LONG_PTR old =
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ShortcutProc));
    SetPropA(control, kOldProc, reinterpret_cast<HANDLE>(old));
}

HTREEITEM TreeView::Append(HTREEITEM parent, const std::string& text, LPARAM data) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM TreeView::FirstRoot() const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM TreeView::NextSibling(HTREEITEM item) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::FirstChild(HTREEITEM item) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::Selection() const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::string TreeView::Text(HTREEITEM item) const {
    std::vector<char> buffer(512);
    TVITEMA tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = buffer.data();
    tv.cchTextMax = static_cast<int>(buffer.size());
    SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return std::string(tv.pszText);
}

LPARAM TreeView::Data(HTREEITEM item) const {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.lParam;
}

void TreeView::Expand(HTREEITEM item) {
    SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void TreeView::Select(HTREEITEM item) {
    SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

HTREEITEM TreeView::FindData(LPARAM data) const {
    for (HTREEITEM item = FirstRoot(); item != nullptr; item = NextSibling(item)) {
        if (Data(item) == data) {
            return item;
        }
        for (HTREEITEM child = FirstChild(item); child != nullptr; child = NextSibling(child)) {
            if (Data(child) == data) {
                return child;
            }
        }
    }
    return nullptr;
}

void ListView::SetRows(std::vector<ListRow> rows) {
    rows_ = std::move(rows);
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    // An owner-data list forgets the selection and focus of rows beyond its
    // count: emptying it clears them at once, where clearing each row's state
    // takes a step for every row it had.
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, 0, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, -1);
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, rows_.size(), 0);
    if (!rows_.empty()) {
        SendMessageA(hwnd_, LVM_ENSUREVISIBLE, 0, FALSE);
    }
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LPARAM ListView::Data(int index) const {
    return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].data : 0;
}

namespace {

// A row's text for a control that asks in UTF-16.
void CopyWide(const std::string& text, LPWSTR to, int size) {
    if (size <= 0) {
        return;
    }
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), to, size - 1);
    to[n] = L'\0';
}

}  // namespace

bool ListView::Answer(const NMHDR& header, LRESULT& result) const {
    if (header.hwndFrom != hwnd_) {
        return false;
    }
    if (header.code == LVN_GETDISPINFOA || header.code == LVN_GETDISPINFOW) {
        // The A and W forms differ only in the text's type.
        auto& item = reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)).item;
        if (item.iItem < 0 || item.iItem >= Count()) {
            return true;
        }
        const ListRow& row = rows_[static_cast<std::size_t>(item.iItem)];
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr) {
            const auto wide = reinterpret_cast<LPWSTR>(item.pszText);
            if (header.code == LVN_GETDISPINFOA) {
                lstrcpynA(
                    item.pszText,
                    row.shown.empty() ? row.text.c_str() : NarrowText(row.shown.c_str()).c_str(),
                    item.cchTextMax);
            } else if (!row.shown.empty()) {
                lstrcpynW(wide, row.shown.c_str(), item.cchTextMax);
            } else {
                CopyWide(row.text, wide, item.cchTextMax);
            }
        }
        if ((item.mask & LVIF_IMAGE) != 0) {
            item.iImage = row.image;
        }
        if ((item.mask & LVIF_PARAM) != 0) {
            item.lParam = row.data;
        }
        result = 0;
        return true;
    }
    if (header.code == LVN_ODFINDITEMA || header.code == LVN_ODFINDITEMW) {
        const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
        result = -1;
        if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find.lvfi.psz != nullptr) {
            const std::string prefix = header.code == LVN_ODFINDITEMA
                                           ? std::string(find.lvfi.psz)
                                           : NarrowText(reinterpret_cast<LPCWSTR>(find.lvfi.psz));
            result = FindRow(find.iStart, prefix, (find.lvfi.flags & LVFI_WRAP) != 0);
        }
        return true;
    }
    return false;
}

// The first row from `start` whose text begins with `prefix`, whatever the
// case, as a list finds the row whose start the owner types.
int ListView::FindRow(int start, const std::string& prefix, bool wrap) const {
    const int count = Count();
    if (count == 0 || prefix.empty()) {
        return -1;
    }
    start = start < 0 || start >= count ? 0 : start;
    const int steps = wrap ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int index = (start + step) % count;
        const std::string& text = rows_[static_cast<std::size_t>(index)].text;
        if (text.size() >= prefix.size() &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                           static_cast<int>(prefix.size()), prefix.c_str(),
                           static_cast<int>(prefix.size())) == CSTR_EQUAL) {
            return index;
        }
    }
    return -1;
}

int ListView::Selected() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

std::vector<int> ListView::SelectedIndexes() const {
    std::vector<int> indexes;
    int index = -1;
    while (
        (index = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                               MAKELPARAM(LVNI_SELECTED, 0)))) >= 0 &&
        (indexes.empty() || index > indexes.back())) {
        indexes.push_back(index);
    }
    return indexes;
}

namespace {

void SetItemState(HWND list, int index, UINT state, UINT mask) {
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void ListView::SelectRange(int first, int count) {
    SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int i = count - 1; i >= 0; --i) {
        SetItemState(hwnd_, first + i, LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0u),
                     LVIS_SELECTED | LVIS_FOCUSED);
    }
    SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, first);
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(first), FALSE);
}

void ListView::SelectAll() {
    SetItemState(hwnd_, -1, LVIS_SELECTED, LVIS_SELECTED);
}

bool ListView::ItemScreenRect(int index, RECT& rect) const {
    rect = RECT{};
    rect.left = LVIR_BOUNDS;
    if (index < 0 || SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(&rect)) == 0) {
        return false;
    }
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

int ListView::SelectionMark() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETSELECTIONMARK, 0, 0));
}

void ListView::SetSelectionMark(int index) {
    SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, index);
}

void ListView::SetSmallImages(HIMAGELIST images) {
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    // Painted off-screen first: no flicker on Windows, and under Wine each
    // row's icon is drawn through a memory bitmap instead of the window's
    // (which costs a look at the display's devices every time).
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
}

int ListView::ClientWidth() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.right - client.left;
}

void ListView::SetColumnWidth(int width) {
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, 0, width);
}

HIMAGELIST ListView::CreateDragImage(int index) const {
    POINT origin{};
    const auto full = reinterpret_cast<HIMAGELIST>(
        SendMessageA(hwnd_, LVM_CREATEDRAGIMAGE, index, reinterpret_cast<LPARAM>(&origin)));
    int fullWidth = 0;
    int height = 0;
    if (full == nullptr || !ImageList_GetIconSize(full, &fullWidth, &height)) {
        return full;
    }
    // The list draws an item as wide as its column; the picture is as wide
    // as the item's icon and text.
    char text[512] = "";
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(hwnd_, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(hwnd_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageA(hwnd_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&label));
    const int textWidth = static_cast<int>(
        SendMessageA(hwnd_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
    constexpr int kLabelMargins = 12;
    const int width = label.left - bounds.left + textWidth + kLabelMargins;
    if (width >= fullWidth) {
        return full;
    }
    const HIMAGELIST cropped = ImageList_Create(width, height, ILC_COLOR24, 1, 0);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(dc, picture);
    ImageList_Draw(full, 0, dc, 0, 0, ILD_NORMAL);
    SelectObject(dc, old);
    ImageList_Add(cropped, picture, nullptr);
    DeleteObject(picture);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Destroy(full);
    return cropped;
}

int ListView::HitTest(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    return static_cast<int>(SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

}  // namespace win32ui
