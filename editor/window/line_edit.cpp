// Changing what a line says: F2 or a double-click opens an edit box over the
// marked line, Insert opens one over a new empty line. Enter (or a click
// elsewhere) takes the text when the program would read it back as it is;
// Escape drops it. A new line left empty leaves no trace.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/document/program_writer.h"
#include "editor/resources/resource.h"
#include "editor/window/editor_dialog.h"

namespace zolt {

UINT RefusalText(LineFault fault, bool pasted) {
    // The paste's texts follow the edit box's in the same order.
    const UINT offset = pasted ? IDS_PASTE_REFUSED_LINE_END - IDS_REFUSED_LINE_END : 0;
    switch (fault) {
        case LineFault::TooLong:
            return IDS_REFUSED_TOO_LONG + offset;
        case LineFault::OpensEvent:
            return IDS_REFUSED_OPENS_EVENT + offset;
        case LineFault::ClosesEvent:
            return IDS_REFUSED_CLOSES_EVENT + offset;
        case LineFault::Subroutine:
            return IDS_REFUSED_SUBROUTINE + offset;
        default:
            return IDS_REFUSED_LINE_END + offset;
    }
}

namespace {

// The text of a finished edit box, or nothing when it was dropped.
std::optional<std::string> EditedText(const NMHDR& header) {
    if (header.code == LVN_ENDLABELEDITA) {
        const char* text = reinterpret_cast<const NMLVDISPINFOA&>(header).item.pszText;
        return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
    }
    const wchar_t* text = reinterpret_cast<const NMLVDISPINFOW&>(header).item.pszText;
    return text != nullptr ? std::optional<std::string>(NarrowText(text)) : std::nullopt;
}

}  // namespace

// Opens the edit box over a line; the list's own ways into it (a slow second
// click) stay shut.
void EditorDialog::EditLine(int index) {
    if (SelectedRecord() < 0 || index < 0 || index >= codeList_.Count() ||
        codeList_.Data(index) == -1) {
        return;
    }
    SetFocus(codeList_.Hwnd());
    codeList_.SelectOnly(index);
    lineEdit_.allowed = true;
    SendMessageA(codeList_.Hwnd(), LVM_EDITLABELA, static_cast<WPARAM>(index), 0);
    lineEdit_.allowed = false;
}

// A new empty row after the marked line (at the end when none is marked),
// shown with its edit box; the event gets the line only when text is taken.
void EditorDialog::NewLine() {
    const int record = SelectedRecord();
    if (record < 0) {
        return;
    }
    const LineList& lines = doc_.records[static_cast<std::size_t>(record)].lines;
    const std::vector<int> marked = MarkedLines();
    const int at = marked.empty() ? lines.Count() : marked.back() + 1;
    std::vector<ListRow> rows = lines.Empty() ? std::vector<ListRow>{} : codeList_.Rows();
    rows.insert(rows.begin() + at, ListRow{"", -1, 0});
    codeList_.SetRows(std::move(rows));
    lineEdit_.newLine = at;
    EditLine(at);
    if (!IsWindow(
            reinterpret_cast<HWND>(SendMessageA(codeList_.Hwnd(), LVM_GETEDITCONTROL, 0, 0)))) {
        lineEdit_.newLine = -1;
        FillCodeList(doc_.records[static_cast<std::size_t>(record)]);
    }
}

INT_PTR EditorDialog::AllowLineEdit(WPARAM, LPARAM) {
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, lineEdit_.allowed ? FALSE : TRUE);
    return TRUE;
}

INT_PTR EditorDialog::EditDoubleClickedLine(WPARAM, LPARAM lParam) {
    EditLine(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    return 0;
}

// The edit box closed: its text becomes the line, or a new line, when the
// program would read it back as it stands; otherwise nothing changes and the
// status line says why.
INT_PTR EditorDialog::TakeLineEdit(WPARAM, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    const int index = reinterpret_cast<const NMLVDISPINFOA&>(header).item.iItem;
    const bool isNew = lineEdit_.newLine >= 0;
    lineEdit_.newLine = -1;
    const int record = SelectedRecord();
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, FALSE);
    if (record < 0) {
        return TRUE;
    }
    const ZoltRecord& event = doc_.records[static_cast<std::size_t>(record)];
    const std::optional<std::string> typed = EditedText(header);
    const LineFault fault = typed ? CheckTypedLine(event, *typed) : LineFault::None;
    if (typed && fault != LineFault::None) {
        ShowStatus(RefusalText(fault, false));
    }
    const bool take = typed && fault == LineFault::None && !(isNew && StoredLine(*typed).empty());
    if (!take) {
        if (isNew) {
            FillCodeList(event);
        }
        return TRUE;
    }
    const std::string stored(StoredLine(*typed));
    if (isNew) {
        Edit(LineChange::Insert(record, index, {stored}), 1);
    } else {
        Edit(LineChange::Replace(record, index, stored), 1);
    }
    return TRUE;
}

}  // namespace zolt
