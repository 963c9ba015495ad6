#include "win32ui/controls.h"

#include <vector>

namespace win32ui {

namespace {

constexpr char kOldProc[] = "win32ui.proc";
constexpr char kEatChar[] = "win32ui.eat";
constexpr char kPainted[] = "win32ui.painted";

LRESULT CALLBACK ShortcutProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProc));
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        RemovePropA(hwnd, kEatChar);
        unsigned keys = 0;
        keys |= GetKeyState(VK_CONTROL) < 0 ? kCtrl : 0u;
        keys |= GetKeyState(VK_SHIFT) < 0 ? kShift : 0u;
        keys |= (lParam & (1 << 29)) != 0 ? kAlt : 0u;
        if (SendMessageA(GetParent(hwnd), kShortcutMessage, wParam, keys) != 0) {
            // The character the key makes is not the control's either.
            SetPropA(hwnd, kEatChar, reinterpret_cast<HANDLE>(1));
            return 0;
        }
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

ListView::Refill::Refill(ListView& list, int expectedCount) : hwnd_(list.hwnd_) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    list.Clear();
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, expectedCount, LVSICF_NOINVALIDATEALL);
}

ListView::Refill::~Refill() {
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::Clear() {
    SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

int ListView::Append(const std::string& text, int image, LPARAM data) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(
        SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListView::Selected() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void ListView::SelectOnly(int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, index);
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int ListView::Count() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

LPARAM ListView::Data(int index) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        return 0;
    }
    return item.lParam;
}

void ListView::SetData(int index, LPARAM data) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = data;
    SendMessageA(hwnd_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::SelectionMark() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETSELECTIONMARK, 0, 0));
}

void ListView::SetSelectionMark(int index) {
    SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, index);
}

void ListView::SetSmallImages(HIMAGELIST images) {
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
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
