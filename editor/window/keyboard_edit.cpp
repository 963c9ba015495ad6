// Editing from the keyboard, and undo and redo of every edit: Insert or a
// double-click adds the marked palette item, Alt+Up and Alt+Down (or Ctrl)
// move the marked line, Delete removes it, Ctrl+Z undoes, Ctrl+Y and
// Ctrl+Shift+Z redo, Ctrl+S saves.

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

INT_PTR EditorDialog::Shortcut(WPARAM wParam, LPARAM lParam) {
    const auto key = static_cast<unsigned>(wParam);
    const auto keys = static_cast<unsigned>(lParam) & (kCtrl | kShift | kAlt);
    const HWND focus = GetFocus();
    bool taken = false;
    if (keys == kCtrl && key == 'Z') {
        UndoOrRedo(false);
        taken = true;
    } else if ((keys == kCtrl && key == 'Y') || (keys == (kCtrl | kShift) && key == 'Z')) {
        UndoOrRedo(true);
        taken = true;
    } else if (keys == kCtrl && key == 'S') {
        SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, IDC_SAVE)));
        taken = true;
    } else if (focus == codeList_.Hwnd() && (keys == kAlt || keys == kCtrl) &&
               (key == VK_UP || key == VK_DOWN)) {
        MoveSelectedLine(key == VK_UP ? -1 : 1);
        taken = true;
    } else if (focus == codeList_.Hwnd() && keys == 0 && key == VK_F2) {
        EditLine(codeList_.Selected());
        taken = true;
    } else if (focus == codeList_.Hwnd() && keys == 0 && key == VK_INSERT) {
        NewLine();
        taken = true;
    } else if (focus == paletteList_.Hwnd() && keys == 0 && key == VK_INSERT) {
        AddPaletteItem(paletteList_.Selected());
        taken = true;
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

// As a drag of the marked line onto the line above it, or onto the line two
// below it; the selection follows the line.
void EditorDialog::MoveSelectedLine(int step) {
    const int record = SelectedRecord();
    const int line = codeList_.Selected();
    if (record < 0 || line < 0 || codeList_.Data(line) == -1) {
        return;
    }
    const int count = doc_.records[static_cast<std::size_t>(record)].lines.Count();
    const int to = step < 0 ? line - 1 : line + 2;
    if (to < 0 || to > count) {
        return;
    }
    Edit(LineChange::Move(record, line, to), true);
}

// Every edit of the lines: made through the history, the modified flag set,
// the code list rebuilt from the record.
void EditorDialog::Edit(LineChange change, bool selectLine) {
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
    if (touched && selectLine && touched->line >= 0) {
        codeList_.SelectOnly(touched->line);
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
