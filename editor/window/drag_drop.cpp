// Editing by drag and drop: palette items dropped on the code list add their
// lines at the end, lines dropped on other lines move, lines dropped outside
// the code list go away; a drag from one of several marked lines takes them
// all. The Delete key removes the marked lines.

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "editor/resources/resource.h"
#include "editor/window/editor_dialog.h"

namespace zolt {

namespace {

POINT ClientToScreenPoint(HWND hwnd, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &point);
    return point;
}

}  // namespace

void EditorDialog::StartDragPicture(const ListView& source, int index, DragState::Mode mode) {
    drag_.mode = DragState::Mode::Idle;
    drag_.itemPicture.Reset(nullptr);
    drag_.codeText.clear();
    drag_.itemPicture.Reset(source.CreateDragImage(index));
    drag_.feedbackPictures = &feedbackImages_;
    POINT cursor{};
    GetCursorPos(&cursor);
    drag_.feedback = DragState::Feedback::ItemPicture;
    ImageList_BeginDrag(drag_.itemPicture.Get(), 0, DragState::kHotspot, DragState::kHotspot);
    ImageList_DragEnter(nullptr, cursor.x, cursor.y);
    drag_.mode = mode;
}

void EditorDialog::EndDragPicture() {
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
}

void EditorDialog::FinishDrag() {
    drag_.mode = DragState::Mode::Idle;
    drag_.itemPicture.Reset(nullptr);
    drag_.codeText.clear();
    drag_.lines.clear();
}

INT_PTR EditorDialog::BeginLineDrag(WPARAM, LPARAM lParam) {
    const int index = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
    if (index < 0 || codeList_.Data(index) == -1) {
        return 0;
    }
    StartDragPicture(codeList_, index, DragState::Mode::LineDrag);
    SetCapture(hwnd_);
    // A drag from one of several marked lines takes them all.
    std::vector<int> marked = MarkedLines();
    if (std::find(marked.begin(), marked.end(), index) == marked.end()) {
        marked = {index};
    }
    drag_.lines = std::move(marked);
    ShowStatus(IDS_STATUS_LINE_DRAG);
    return 0;
}

INT_PTR EditorDialog::BeginPaletteDrag(WPARAM, LPARAM lParam) {
    const int index = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
    if (index < 0) {
        return 0;
    }
    StartDragPicture(paletteList_, index, DragState::Mode::PaletteDrag);
    SetCapture(hwnd_);
    const LPARAM item = paletteList_.Data(index);
    if (item >= 0 && static_cast<std::size_t>(item) < paletteItems_.size()) {
        drag_.codeText = paletteItems_[static_cast<std::size_t>(item)].codeText;
    }
    ShowStatus(IDS_STATUS_PALETTE_DRAG);
    return 0;
}

INT_PTR EditorDialog::DragHover(WPARAM, LPARAM lParam) {
    if (drag_.mode == DragState::Mode::Idle) {
        return FALSE;
    }
    const POINT point = ClientToScreenPoint(hwnd_, lParam);
    const HWND under = WindowFromPoint(point);
    DragState::Feedback wanted = DragState::Feedback::ItemPicture;
    if (drag_.mode == DragState::Mode::PaletteDrag) {
        const bool accepts =
            under == paletteList_.Hwnd() || (under == codeList_.Hwnd() && SelectedRecord() >= 0);
        wanted = accepts ? DragState::Feedback::ItemPicture : DragState::Feedback::QuestionPicture;
    } else {
        wanted = under == codeList_.Hwnd() ? DragState::Feedback::ItemPicture
                                           : DragState::Feedback::DelPicture;
    }
    if (wanted == drag_.feedback) {
        ImageList_DragMove(point.x, point.y);
        return FALSE;
    }
    EndDragPicture();
    if (wanted == DragState::Feedback::ItemPicture) {
        ImageList_BeginDrag(drag_.itemPicture.Get(), 0, DragState::kHotspot, DragState::kHotspot);
    } else {
        ImageList_BeginDrag(drag_.feedbackPictures->Get(), static_cast<int>(wanted),
                            DragState::kHotspot, DragState::kHotspot);
    }
    ImageList_DragEnter(nullptr, point.x, point.y);
    drag_.feedback = wanted;
    return FALSE;
}

INT_PTR EditorDialog::DropDrag(WPARAM, LPARAM lParam) {
    const DragState::Mode mode = drag_.mode;
    if (mode != DragState::Mode::Idle) {
        // Idle before the capture goes, so that losing it is not taken for
        // an abandoned drag.
        drag_.mode = DragState::Mode::Idle;
        ReleaseCapture();
        EndDragPicture();
        const POINT point = ClientToScreenPoint(hwnd_, lParam);
        const bool overCodeList = WindowFromPoint(point) == codeList_.Hwnd();
        const int record = SelectedRecord();
        if (record >= 0 && mode == DragState::Mode::PaletteDrag && overCodeList) {
            Edit(LineChange::Append(record, drag_.codeText));
        } else if (record >= 0 && mode == DragState::Mode::LineDrag && overCodeList) {
            POINT inList = point;
            ScreenToClient(codeList_.Hwnd(), &inList);
            int target = codeList_.HitTest(inList);
            if (target < 0) {
                target = codeList_.Count();
            }
            const int count = doc_.records[static_cast<std::size_t>(record)].lines.Count();
            const std::vector<int>& lines = drag_.lines;
            if (lines.empty() || lines.front() < 0 || lines.back() >= count || target > count) {
                messages_.Notify(MakeMessage(MessageId::RearrangeHint));
            } else if (lines.size() == 1) {
                Edit(LineChange::Move(record, lines.front(), target));
            } else {
                Edit(LineChange::MoveMany(record, lines, target), static_cast<int>(lines.size()));
            }
        } else if (record >= 0 && mode == DragState::Mode::LineDrag) {
            RemoveLines(drag_.lines);
        }
        FinishDrag();
    }
    paletteList_.SetSelectionMark(-1);
    ShowStatus(IDS_STATUS_SELECT_ACTION);
    return FALSE;
}

// Another window took the mouse without a button release here: the drag
// ends without changing anything.
INT_PTR EditorDialog::LoseCapture(WPARAM, LPARAM) {
    if (drag_.mode != DragState::Mode::Idle) {
        EndDragPicture();
        FinishDrag();
        ShowStatus(IDS_STATUS_SELECT_ACTION);
    }
    return FALSE;
}

INT_PTR EditorDialog::DeleteKeyLine(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey != VK_DELETE) {
        return 0;
    }
    const int record = SelectedRecord();
    const std::vector<int> marked = MarkedLines();
    if (!marked.empty()) {
        RemoveLines(marked);
    } else if (record >= 0) {
        Edit(LineChange::Remove(record, codeList_.SelectionMark()));
    }
    return 0;
}

}  // namespace zolt
