// Editing from the keyboard, and undo and redo of every edit: Insert or a
// double-click adds the marked palette item, Alt+Up and Alt+Down (or Ctrl)
// move the marked lines, Delete removes them, Ctrl+C, Ctrl+X and Ctrl+V (or
// Ctrl+Insert, Shift+Delete and Shift+Insert) copy, cut and paste, Ctrl+A
// marks every line, Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+S
// saves, Shift+F10 or the menu key opens the context menu.

#include <windows.h>

#include "editor/resources/resource.h"
#include "editor/window/editor_dialog.h"

namespace zolt {

namespace {

// What the dialog answers a shortcut: taken, or left to the control.
INT_PTR Answer(HWND dialog, bool taken) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, taken ? 1 : 0);
    return TRUE;
}

}  // namespace

// The command a key runs where the focus is; 0 for none.
UINT EditorDialog::ShortcutCommand(unsigned key, unsigned keys, HWND focus) const {
    const bool inLines = focus == codeList_.Hwnd();
    const bool inPalette = focus == paletteList_.Hwnd();
    const bool copy = (keys == kCtrl && key == 'C') || (keys == kCtrl && key == VK_INSERT);
    if (keys == kCtrl && key == 'Z') {
        return IDM_UNDO;
    }
    if ((keys == kCtrl && key == 'Y') || (keys == (kCtrl | kShift) && key == 'Z')) {
        return IDM_REDO;
    }
    if (inLines && (keys == kAlt || keys == kCtrl) && (key == VK_UP || key == VK_DOWN)) {
        return key == VK_UP ? IDM_MOVE_UP : IDM_MOVE_DOWN;
    }
    if (inLines && keys == 0 && key == VK_F2) {
        return IDM_EDIT_LINE;
    }
    if (keys == 0 && key == VK_INSERT && (inLines || inPalette)) {
        return inLines ? IDM_NEW_LINE : IDM_ADD_TO_EVENT;
    }
    if (copy && (inLines || inPalette)) {
        return inLines ? IDM_COPY : IDM_COPY_ACTION;
    }
    if (inLines && ((keys == kCtrl && key == 'X') || (keys == kShift && key == VK_DELETE))) {
        return IDM_CUT;
    }
    if ((inLines || focus == eventTree_.Hwnd()) &&
        ((keys == kCtrl && key == 'V') || (keys == kShift && key == VK_INSERT))) {
        return IDM_PASTE;
    }
    return 0;
}

INT_PTR EditorDialog::Shortcut(WPARAM wParam, LPARAM lParam) {
    const auto key = static_cast<unsigned>(wParam);
    const auto keys = static_cast<unsigned>(lParam) & (kCtrl | kShift | kAlt);
    const HWND focus = GetFocus();
    bool taken = true;
    if (const UINT command = ShortcutCommand(key, keys, focus)) {
        RunCommand(command);
    } else if (keys == kCtrl && key == 'S') {
        SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, IDC_SAVE)));
    } else if (focus == codeList_.Hwnd() && keys == kCtrl && key == 'A') {
        if (const ZoltRecord* record = SelectedRecordPtr(); record && !record->lines.Empty()) {
            codeList_.SelectAll();
        }
    } else if ((focus == codeList_.Hwnd() || focus == paletteList_.Hwnd()) &&
               ((keys == kShift && key == VK_F10) || (keys == 0 && key == VK_APPS))) {
        ShowContextMenu(reinterpret_cast<WPARAM>(focus), -1);
    } else {
        taken = false;
    }
    return Answer(hwnd_, taken);
}

INT_PTR EditorDialog::AddDoubleClickedItem(WPARAM, LPARAM lParam) {
    AddPaletteItem(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    return 0;
}

// A code line that becomes selected shows how the keyboard moves it.
INT_PTR EditorDialog::ShowLineKeys(WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (drag_.mode == DragState::Mode::Idle && change->iItem >= 0 &&
        (change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
        (change->uOldState & LVIS_SELECTED) == 0 && codeList_.Data(change->iItem) != -1 &&
        SelectedRecord() >= 0) {
        ShowStatus(IDS_STATUS_LINE_KEYS);
    }
    return 0;
}

// As a drop of the item on the code list: its lines go to the end of the
// selected event.
void EditorDialog::AddPaletteItem(int index) {
    const int record = SelectedRecord();
    if (record < 0 || index < 0 || index >= static_cast<int>(paletteItems_.size())) {
        return;
    }
    Edit(LineChange::Append(record, paletteItems_[static_cast<std::size_t>(index)].codeText));
    paletteList_.SetSelectionMark(-1);
    ShowStatus(IDS_STATUS_SELECT_ACTION);
}

// Every edit of the lines: made through the history, the modified flag set,
// the code list rebuilt from the record.
void EditorDialog::Edit(LineChange change, int select) {
    // A line dropped on itself changes nothing, yet counts as an edit.
    const bool stays = change.kind == LineChange::Kind::Move &&
                       (change.to == change.from || change.to == change.from + 1);
    const int record = change.record;
    const std::optional<Touched> touched = history_.Apply(doc_, std::move(change));
    if (!touched && !stays) {
        return;
    }
    doc_.modified = true;
    FillCodeList(doc_.records[static_cast<std::size_t>(record)]);
    if (touched && select > 0 && touched->line >= 0) {
        codeList_.SelectRange(touched->line, select);
    }
}

// Undo and redo are edits too; a change to another event shows that event.
void EditorDialog::UndoOrRedo(bool redo) {
    const std::optional<Touched> touched = redo ? history_.Redo(doc_) : history_.Undo(doc_);
    if (!touched) {
        return;
    }
    doc_.modified = true;
    ShowTouched(*touched);
}

void EditorDialog::ShowTouched(const Touched& touched) {
    if (SelectedRecord() != touched.record) {
        if (const HTREEITEM item = eventTree_.FindData(touched.record)) {
            eventTree_.Select(item);
        }
    }
    FillCodeList(doc_.records[static_cast<std::size_t>(touched.record)]);
    if (touched.line >= 0) {
        codeList_.SelectOnly(touched.line);
    }
}

}  // namespace zolt
