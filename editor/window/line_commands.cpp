// The commands on the marked code lines and palette items, run from their
// keys or from the context menus: cut, copy and paste through the clipboard,
// delete and move several lines at once, and greyed menu items for what
// cannot apply.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/program_writer.h"
#include "editor/resources/resource.h"
#include "editor/window/editor_dialog.h"

namespace zolt {

namespace {

bool Together(const std::vector<int>& lines) {
    return !lines.empty() && lines.back() - lines.front() + 1 == static_cast<int>(lines.size());
}

// Text on the clipboard in the system's ANSI code page, and in UTF-16 for the
// programs that read that, made here rather than by the system's guess of
// the code page.
void PutOnClipboard(HWND owner, const std::string& text) {
    const int wide =
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    HGLOBAL ansi = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    HGLOBAL unicode = GlobalAlloc(GMEM_MOVEABLE, (static_cast<std::size_t>(wide) + 1) * 2);
    if (ansi != nullptr && unicode != nullptr) {
        auto* a = static_cast<char*>(GlobalLock(ansi));
        CopyMemory(a, text.c_str(), text.size() + 1);
        GlobalUnlock(ansi);
        auto* w = static_cast<wchar_t*>(GlobalLock(unicode));
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), w, wide);
        w[wide] = L'\0';
        GlobalUnlock(unicode);
        if (OpenClipboard(owner)) {
            EmptyClipboard();
            if (SetClipboardData(CF_TEXT, ansi) != nullptr) {
                ansi = nullptr;  // the clipboard's now
            }
            if (SetClipboardData(CF_UNICODETEXT, unicode) != nullptr) {
                unicode = nullptr;
            }
            CloseClipboard();
        }
    }
    if (ansi != nullptr) {
        GlobalFree(ansi);
    }
    if (unicode != nullptr) {
        GlobalFree(unicode);
    }
}

// The clipboard's text in the system's ANSI code page, up to its first NUL.
std::optional<std::string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (const HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            const std::size_t size = GlobalSize(data);
            text = std::string(bytes, strnlen(bytes, size));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

// The selected lines of the shown event; none while a placeholder shows.
std::vector<int> EditorDialog::MarkedLines() const {
    const int record = SelectedRecord();
    if (record < 0) {
        return {};
    }
    const int count = doc_.records[static_cast<std::size_t>(record)].lines.Count();
    std::vector<int> lines = codeList_.SelectedIndexes();
    std::erase_if(lines, [count](int line) { return line >= count; });
    return lines;
}

bool EditorDialog::CanRun(UINT command) const {
    const bool event = SelectedRecord() >= 0;
    const std::vector<int> marked = MarkedLines();
    const int count =
        event ? doc_.records[static_cast<std::size_t>(SelectedRecord())].lines.Count() : 0;
    const int palette = paletteList_.Selected();
    switch (command) {
        case IDM_EDIT_LINE:
            return marked.size() == 1;
        case IDM_NEW_LINE:
            return event;
        case IDM_CUT:
        case IDM_COPY:
        case IDM_DELETE:
            return !marked.empty();
        case IDM_PASTE:
            return event && IsClipboardFormatAvailable(CF_TEXT);
        case IDM_MOVE_UP:
            return Together(marked) && marked.front() > 0;
        case IDM_MOVE_DOWN:
            return Together(marked) && marked.back() < count - 1;
        case IDM_UNDO:
            return history_.UndoCount() > 0;
        case IDM_REDO:
            return history_.RedoCount() > 0;
        case IDM_ADD_TO_EVENT:
            return event && palette >= 0;
        case IDM_COPY_ACTION:
            return palette >= 0;
        default:
            return false;
    }
}

void EditorDialog::RunCommand(UINT command) {
    switch (command) {
        case IDM_EDIT_LINE: {
            const std::vector<int> marked = MarkedLines();
            if (marked.size() == 1) {
                EditLine(marked.front());
            }
            break;
        }
        case IDM_NEW_LINE:
            NewLine();
            break;
        case IDM_CUT:
            CopyLines();
            RemoveLines(MarkedLines());
            break;
        case IDM_COPY:
            CopyLines();
            break;
        case IDM_PASTE:
            Paste();
            break;
        case IDM_DELETE:
            RemoveLines(MarkedLines());
            break;
        case IDM_MOVE_UP:
        case IDM_MOVE_DOWN:
            MoveMarkedLines(command == IDM_MOVE_UP ? -1 : 1);
            break;
        case IDM_UNDO:
        case IDM_REDO:
            UndoOrRedo(command == IDM_REDO);
            break;
        case IDM_ADD_TO_EVENT:
            AddPaletteItem(paletteList_.Selected());
            break;
        case IDM_COPY_ACTION:
            CopyPaletteItem();
            break;
        default:
            break;
    }
}

// A right-click, Shift+F10 or the menu key on the code list or the palette:
// its menu, at the pointer or, from the keyboard, below the marked item.
INT_PTR EditorDialog::ShowContextMenu(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(wParam);
    const bool lines = control == codeList_.Hwnd();
    if (!lines && control != paletteList_.Hwnd()) {
        return FALSE;
    }
    const ListView& list = lines ? codeList_ : paletteList_;
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        RECT item{};
        const int focused = static_cast<int>(SendMessageA(
            list.Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
        if (list.ItemScreenRect(focused, item)) {
            at = POINT{item.left, item.bottom};
        } else {
            GetWindowRect(list.Hwnd(), &item);
            at = POINT{item.left, item.top};
        }
    }
    const HMENU menu = LoadShownMenu(instance_, lines ? IDR_LINE_MENU : IDR_PALETTE_MENU);
    if (menu == nullptr) {
        return TRUE;
    }
    const HMENU popup = GetSubMenu(menu, 0);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        const UINT command = GetMenuItemID(popup, i);
        if (command != 0 && command != static_cast<UINT>(-1)) {
            EnableMenuItem(popup, command,
                           MF_BYCOMMAND | (CanRun(command) ? MF_ENABLED : MF_GRAYED));
        }
    }
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                       at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    if (command != 0 && CanRun(command)) {
        RunCommand(command);
    }
    return TRUE;
}

// One line goes as the Delete key always removed it; several go as one
// change.
void EditorDialog::RemoveLines(const std::vector<int>& lines) {
    const int record = SelectedRecord();
    if (record < 0 || lines.empty()) {
        return;
    }
    if (lines.size() == 1) {
        Edit(LineChange::Remove(record, lines.front()));
    } else {
        Edit(LineChange::RemoveMany(record, lines));
    }
}

// The marked lines, when they stand together, move one place up or down as
// one block, and stay marked.
void EditorDialog::MoveMarkedLines(int step) {
    const int record = SelectedRecord();
    const std::vector<int> marked = MarkedLines();
    if (record < 0 || marked.empty()) {
        return;
    }
    if (!Together(marked)) {
        ShowStatus(IDS_NOT_TOGETHER);
        return;
    }
    const int count = doc_.records[static_cast<std::size_t>(record)].lines.Count();
    const int to = step < 0 ? marked.front() - 1 : marked.back() + 2;
    if (to < 0 || to > count) {
        return;
    }
    const int moved = static_cast<int>(marked.size());
    if (moved == 1) {
        Edit(LineChange::Move(record, marked.front(), to), 1);
    } else {
        Edit(LineChange::MoveMany(record, marked, to), moved);
    }
}

void EditorDialog::CopyLines() {
    const std::vector<int> marked = MarkedLines();
    if (marked.empty()) {
        return;
    }
    const LineList& lines = doc_.records[static_cast<std::size_t>(SelectedRecord())].lines;
    std::vector<std::string_view> copied;
    for (const int line : marked) {
        copied.push_back(lines[line]);
    }
    PutOnClipboard(hwnd_, CopiedText(copied));
}

// The marked palette item's code text, one line for each of its lines.
void EditorDialog::CopyPaletteItem() {
    const LPARAM item = paletteList_.Data(paletteList_.Selected());
    if (paletteList_.Selected() < 0 || item < 0 ||
        static_cast<std::size_t>(item) >= paletteItems_.size()) {
        return;
    }
    LineList lines;
    lines.AppendCodeText(paletteItems_[static_cast<std::size_t>(item)].codeText);
    PutOnClipboard(hwnd_, CopiedText(std::vector<std::string_view>(lines.begin(), lines.end())));
}

// The clipboard's lines go after the last marked line, or at the end of the
// event; a paste holding any line the program would not read back as it
// stands is refused whole, naming that line.
void EditorDialog::Paste() {
    const int record = SelectedRecord();
    if (record < 0) {
        return;
    }
    const std::optional<std::string> text = ClipboardText(hwnd_);
    if (!text) {
        return;
    }
    std::vector<std::string> lines = PastedLines(*text);
    const ZoltRecord& event = doc_.records[static_cast<std::size_t>(record)];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineFault fault = CheckTypedLine(event, lines[i]);
        if (fault != LineFault::None) {
            status_.SetText(FormatWideText(LoadWideText(instance_, RefusalText(fault, true)),
                                           {std::to_wstring(i + 1)}));
            return;
        }
        lines[i] = std::string(StoredLine(lines[i]));
    }
    if (lines.empty()) {
        return;
    }
    const std::vector<int> marked = MarkedLines();
    const int at = marked.empty() ? event.lines.Count() : marked.back() + 1;
    const int count = static_cast<int>(lines.size());
    Edit(LineChange::Insert(record, at, std::move(lines)), count);
}

}  // namespace zolt
