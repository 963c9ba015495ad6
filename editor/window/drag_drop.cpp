// Editing by drag and drop: palette items dropped on the code list add their
// lines at the end, lines dropped on other lines move, lines dropped outside
// the code list go away; the Delete key removes the marked line.

#include <windows.h>
#include <windowsx.h>

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

void EditorDialog::StartDragPicture(const ListView& source, int index, int mode) {
    drag_.mode = DragState::kIdle;
    drag_.itemPicture.Reset(nullptr);
    drag_.codeText.clear();
    drag_.itemPicture.Reset(source.CreateDragImage(index));
    drag_.feedbackPictures = feedbackImages_.Get();
    POINT cursor{};
    GetCursorPos(&cursor);
    drag_.feedback = DragState::kItemPicture;
    ImageList_BeginDrag(drag_.itemPicture.Get(), 0, DragState::kHotspot, DragState::kHotspot);
    ImageList_DragEnter(nullptr, cursor.x, cursor.y);
    drag_.mode = mode;
}

void EditorDialog::EndDragPicture() {
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
}

void EditorDialog::FinishDrag() {
    drag_.mode = DragState::kIdle;
    drag_.itemPicture.Reset(nullptr);
    drag_.codeText.clear();
}

INT_PTR EditorDialog::BeginLineDrag(WPARAM, LPARAM lParam) {
    const int index = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
    if (index < 0 || codeList_.Data(index) == -1) {
        return 0;
    }
    StartDragPicture(codeList_, index, DragState::kLineDrag);
    SetCapture(hwnd_);
    drag_.sourceIndex = index;
    SetStatus(std::string(kStatusLineDrag));
    return 0;
}

INT_PTR EditorDialog::BeginPaletteDrag(WPARAM, LPARAM lParam) {
    const int index = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
    if (index < 0) {
        return 0;
    }
    StartDragPicture(paletteList_, index, DragState::kPaletteDrag);
    SetCapture(hwnd_);
    if (const auto* codeText = reinterpret_cast<const char*>(paletteList_.Data(index))) {
        drag_.codeText = codeText;
    }
    SetStatus(std::string(kStatusPaletteDrag));
    return 0;
}

INT_PTR EditorDialog::DragHover(WPARAM, LPARAM lParam) {
    if (drag_.mode == DragState::kIdle) {
        return FALSE;
    }
    const POINT point = ClientToScreenPoint(hwnd_, lParam);
    const HWND under = WindowFromPoint(point);
    int wanted = DragState::kItemPicture;
    if (drag_.mode == DragState::kPaletteDrag) {
        const bool accepts =
            under == paletteList_.Hwnd() || (under == codeList_.Hwnd() && SelectedRecord() >= 0);
        wanted = accepts ? DragState::kItemPicture : DragState::kQuestionPicture;
    } else {
        wanted = under == codeList_.Hwnd() ? DragState::kItemPicture : DragState::kDelPicture;
    }
    if (wanted == drag_.feedback) {
        ImageList_DragMove(point.x, point.y);
        return FALSE;
    }
    EndDragPicture();
    if (wanted == DragState::kItemPicture) {
        ImageList_BeginDrag(drag_.itemPicture.Get(), 0, DragState::kHotspot, DragState::kHotspot);
    } else {
        ImageList_BeginDrag(drag_.feedbackPictures, wanted, DragState::kHotspot,
                            DragState::kHotspot);
    }
    ImageList_DragEnter(nullptr, point.x, point.y);
    drag_.feedback = wanted;
    return FALSE;
}

INT_PTR EditorDialog::DropDrag(WPARAM, LPARAM lParam) {
    const int mode = drag_.mode;
    if (mode != DragState::kIdle) {
        // Idle before the capture goes, so that losing it is not taken for
        // an abandoned drag.
        drag_.mode = DragState::kIdle;
        ReleaseCapture();
        EndDragPicture();
        const POINT point = ClientToScreenPoint(hwnd_, lParam);
        const bool overCodeList = WindowFromPoint(point) == codeList_.Hwnd();
        const int record = SelectedRecord();
        if (record >= 0 && mode == DragState::kPaletteDrag && overCodeList) {
            Edit(LineChange::Append(record, drag_.codeText));
        } else if (record >= 0 && mode == DragState::kLineDrag && overCodeList) {
            POINT inList = point;
            ScreenToClient(codeList_.Hwnd(), &inList);
            int target = codeList_.HitTest(inList);
            if (target < 0) {
                target = codeList_.Count();
            }
            const int count = doc_.records[static_cast<std::size_t>(record)].lines.Count();
            if (drag_.sourceIndex < 0 || drag_.sourceIndex >= count || target > count) {
                messages_.Notify(std::string(kRearrangeHint));
            } else {
                Edit(LineChange::Move(record, drag_.sourceIndex, target));
            }
        } else if (record >= 0 && mode == DragState::kLineDrag) {
            Edit(LineChange::Remove(record, drag_.sourceIndex));
        }
        FinishDrag();
    }
    paletteList_.SetSelectionMark(-1);
    SetStatus(std::string(kStatusSelectAction));
    return FALSE;
}

// Another window took the mouse without a button release here: the drag
// ends without changing anything.
INT_PTR EditorDialog::LoseCapture(WPARAM, LPARAM) {
    if (drag_.mode != DragState::kIdle) {
        EndDragPicture();
        FinishDrag();
        SetStatus(std::string(kStatusSelectAction));
    }
    return FALSE;
}

INT_PTR EditorDialog::DeleteKeyLine(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey != VK_DELETE) {
        return 0;
    }
    const int record = SelectedRecord();
    if (record >= 0) {
        Edit(LineChange::Remove(record, codeList_.SelectionMark()));
    }
    return 0;
}

}  // namespace zolt
