#include "editor/window/editor_dialog.h"

#include <algorithm>
#include <map>
#include <vector>

#include "editor/catalog/code_kinds.h"
#include "editor/document/paths.h"
#include "editor/document/program_save.h"
#include "editor/resources/resource.h"
#include "editor/window/about_dialog.h"

namespace zolt {

const Route<EditorDialog> EditorDialog::kRoutes[] = {
    {WM_INITDIALOG, 0, 0, &EditorDialog::InitEditorDialog},
    {WM_NOTIFY, TVN_SELCHANGINGA, IDC_EVENT_TREE, &EditorDialog::RefuseFocusSelection},
    {WM_NOTIFY, TVN_SELCHANGINGW, IDC_EVENT_TREE, &EditorDialog::RefuseFocusSelection},
    {WM_NOTIFY, TVN_SELCHANGEDA, IDC_EVENT_TREE, &EditorDialog::ShowSelectedEvent},
    {WM_NOTIFY, TVN_SELCHANGEDW, IDC_EVENT_TREE, &EditorDialog::ShowSelectedEvent},
    {WM_NOTIFY, LVN_ITEMCHANGED, IDC_PALETTE, &EditorDialog::ShowPaletteHint},
    {WM_COMMAND, CBN_SELCHANGE, IDC_CATEGORY, &EditorDialog::ChangeCategory},
    {WM_COMMAND, BN_CLICKED, IDC_SAVE, &EditorDialog::Save},
    {WM_COMMAND, BN_CLICKED, IDCANCEL, &EditorDialog::Cancel},
    {WM_COMMAND, BN_CLICKED, IDOK, &EditorDialog::Cancel},
    {WM_NOTIFY, LVN_BEGINDRAG, IDC_CODE_LIST, &EditorDialog::BeginLineDrag},
    {WM_NOTIFY, LVN_BEGINDRAG, IDC_PALETTE, &EditorDialog::BeginPaletteDrag},
    {WM_MOUSEMOVE, 0, 0, &EditorDialog::DragHover},
    {WM_LBUTTONUP, 0, 0, &EditorDialog::DropDrag},
    {WM_CAPTURECHANGED, 0, 0, &EditorDialog::LoseCapture},
    {WM_NOTIFY, LVN_KEYDOWN, IDC_CODE_LIST, &EditorDialog::DeleteKeyLine},
    {kShortcutMessage, 0, 0, &EditorDialog::Shortcut},
    {kLayoutMessage, 0, 0, &EditorDialog::FitColumnsAgain},
    {WM_NOTIFY, NM_DBLCLK, IDC_PALETTE, &EditorDialog::AddDoubleClickedItem},
    {WM_NOTIFY, LVN_ITEMCHANGED, IDC_CODE_LIST, &EditorDialog::ShowLineKeys},
    {WM_SYSCOMMAND, 0, 0, &EditorDialog::SystemCommand},
    {WM_PAINT, 0, 0, &EditorDialog::PaintMinimised},
    {WM_QUERYDRAGICON, 0, 0, &EditorDialog::QueryDragIcon},
    {WM_NOTIFY, LVN_BEGINLABELEDITA, IDC_CODE_LIST, &EditorDialog::AllowLineEdit},
    {WM_NOTIFY, LVN_BEGINLABELEDITW, IDC_CODE_LIST, &EditorDialog::AllowLineEdit},
    {WM_NOTIFY, LVN_ENDLABELEDITA, IDC_CODE_LIST, &EditorDialog::TakeLineEdit},
    {WM_NOTIFY, LVN_ENDLABELEDITW, IDC_CODE_LIST, &EditorDialog::TakeLineEdit},
    {WM_NOTIFY, NM_DBLCLK, IDC_CODE_LIST, &EditorDialog::EditDoubleClickedLine},
    {WM_CONTEXTMENU, 0, 0, &EditorDialog::ShowContextMenu},
    {WM_NOTIFY, LVN_GETDISPINFOA, IDC_CODE_LIST, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_GETDISPINFOW, IDC_CODE_LIST, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_ODFINDITEMA, IDC_CODE_LIST, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_ODFINDITEMW, IDC_CODE_LIST, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_GETDISPINFOA, IDC_PALETTE, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_GETDISPINFOW, IDC_PALETTE, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_ODFINDITEMA, IDC_PALETTE, &EditorDialog::AnswerList},
    {WM_NOTIFY, LVN_ODFINDITEMW, IDC_PALETTE, &EditorDialog::AnswerList},
};

EditorDialog::EditorDialog(HINSTANCE instance, ProgramDocument& doc, std::string programPath,
                           MessageSink& messages)
    : instance_(instance), doc_(doc), programPath_(std::move(programPath)), messages_(messages) {
    icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_ZOLT));
}

EditorDialog::~EditorDialog() = default;

INT_PTR EditorDialog::Run() {
    return RunModal(instance_, IDD_EDITOR, nullptr);
}

INT_PTR EditorDialog::InitEditorDialog(WPARAM, LPARAM) {
    status_.Attach(GetDlgItem(hwnd_, IDC_STATUS));
    categoryBox_.Attach(GetDlgItem(hwnd_, IDC_CATEGORY));
    eventTree_.Attach(GetDlgItem(hwnd_, IDC_EVENT_TREE));
    paletteList_.Attach(GetDlgItem(hwnd_, IDC_PALETTE));
    codeList_.Attach(GetDlgItem(hwnd_, IDC_CODE_LIST));

    for (const int id : {IDC_EVENT_TREE, IDC_CODE_LIST, IDC_CATEGORY, IDC_PALETTE, IDC_SAVE}) {
        RouteKeysAndSizeToDialog(GetDlgItem(hwnd_, id));
    }
    AddAboutEntry(instance_, hwnd_);
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    FillCategoryBox();
    // The tree is filled once, without drawing item by item; selecting the
    // first event fills its lines.
    SendMessageA(eventTree_.Hwnd(), WM_SETREDRAW, FALSE, 0);
    std::map<std::string, HTREEITEM> roots;
    for (int i = 0; i < doc_.RecordCount(); ++i) {
        AddEventToTree(doc_.records[static_cast<std::size_t>(i)].name, i, roots);
    }
    SendMessageA(eventTree_.Hwnd(), WM_SETREDRAW, TRUE, 0);
    bool shown = false;
    const HTREEITEM first = eventTree_.FirstRoot();
    if (first != nullptr) {
        eventTree_.Expand(first);
        const HTREEITEM child = eventTree_.FirstChild(first);
        if (child != nullptr) {
            selectingFirstEvent_ = true;
            eventTree_.Select(child);
            selectingFirstEvent_ = false;
            shown = SelectedRecord() >= 0;
        }
    }

    // The pictures at the size nearer to the screen's: twice the size from
    // 144 dots per inch (150%) on.
    const HDC screen = GetDC(nullptr);
    const bool doubled = GetDeviceCaps(screen, LOGPIXELSX) >= 144;
    ReleaseDC(nullptr, screen);
    const int pictureWidth = doubled ? 50 : 25;
    kindImages_.Reset(
        ImageList_LoadImageA(instance_, MAKEINTRESOURCEA(doubled ? IDB_KINDS_2X : IDB_KINDS),
                             pictureWidth, 0, RGB(0, 0, 0), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    feedbackImages_.Reset(ImageList_LoadImageA(
        instance_, MAKEINTRESOURCEA(doubled ? IDB_DRAG_FEEDBACK_2X : IDB_DRAG_FEEDBACK),
        pictureWidth, 0, RGB(7, 8, 9), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    codeList_.SetSmallImages(kindImages_.Get());
    paletteList_.SetSmallImages(kindImages_.Get());
    FitColumns();

    if (!shown) {
        ShowSelectedEvent(0, 0);
    }
    return TRUE;
}

// Code lines are long: one column as wide as the code list; the palette's
// shown texts fit three columns. A list view sizes its columns anew as items
// come, so this follows every refill.
void EditorDialog::FitColumns() {
    codeList_.SetColumnWidth(codeList_.ClientWidth() - 4);
    paletteList_.SetColumnWidth((paletteList_.ClientWidth() - 4) / 3);
}

// A list view measures its items again when it first paints, and some lay
// out their columns anew then: the columns are fitted again after.
INT_PTR EditorDialog::FitColumnsAgain(WPARAM, LPARAM) {
    FitColumns();
    return TRUE;
}

// A name "Group/Event" goes below the first root item named Group, made
// when there is none; a name without a slash is a root item of its own.
void EditorDialog::AddEventToTree(const std::string& name, int index,
                                  std::map<std::string, HTREEITEM>& roots) {
    const std::size_t slash = FindChar(name, '/');
    if (slash == std::string::npos) {
        roots.emplace(name, eventTree_.Append(nullptr, name, index));
        return;
    }
    const std::string group = name.substr(0, slash);
    auto parent = roots.find(group);
    if (parent == roots.end()) {
        parent = roots.emplace(group, eventTree_.Append(nullptr, group, -1)).first;
    }
    eventTree_.Append(parent->second, name.substr(slash + 1), index);
}

// A tree view that gets the focus without a selection selects its first
// item by itself. The editor opens with no event selected when the first
// record has no group, so that selection is refused; the owner's own clicks
// and keys always select.
INT_PTR EditorDialog::RefuseFocusSelection(WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    const bool byItself =
        change->action == TVC_UNKNOWN && change->itemOld.hItem == nullptr && !selectingFirstEvent_;
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, byItself ? TRUE : FALSE);
    return TRUE;
}

int EditorDialog::SelectedRecord() const {
    const HTREEITEM selected = eventTree_.Selection();
    if (selected == nullptr) {
        return -1;
    }
    const LPARAM data = eventTree_.Data(selected);
    return data >= 0 && data < doc_.RecordCount() ? static_cast<int>(data) : -1;
}

ZoltRecord* EditorDialog::SelectedRecordPtr() {
    const int index = SelectedRecord();
    return index < 0 ? nullptr : &doc_.records[static_cast<std::size_t>(index)];
}

void EditorDialog::FillCodeList(const ZoltRecord& record) {
    std::vector<ListRow> rows;
    if (record.lines.Empty()) {
        // The one row that cannot be dragged.
        rows.push_back({LoadText(instance_, IDS_EMPTY_EVENT_PLACEHOLDER), -1, -1,
                        LoadWideText(instance_, IDS_EMPTY_EVENT_PLACEHOLDER)});
    } else {
        rows.reserve(static_cast<std::size_t>(record.lines.Count()));
        for (const std::string_view line : record.lines) {
            rows.push_back({std::string(line), ClassifyCodeLine(line), 0});
        }
    }
    codeList_.SetRows(std::move(rows));
    FitColumns();
}

INT_PTR EditorDialog::ShowSelectedEvent(WPARAM, LPARAM) {
    if (const ZoltRecord* record = SelectedRecordPtr()) {
        FillCodeList(*record);
        paletteList_.SetSelectionMark(-1);
        ShowStatus(IDS_STATUS_SELECT_ACTION);
    } else {
        codeList_.SetRows({{LoadText(instance_, IDS_SELECT_EVENT_PLACEHOLDER), -1, 0,
                            LoadWideText(instance_, IDS_SELECT_EVENT_PLACEHOLDER)}});
        FitColumns();
    }
    return 0;
}

INT_PTR EditorDialog::AnswerList(WPARAM, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (codeList_.Answer(header, result) || paletteList_.Answer(header, result)) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    }
    return TRUE;
}

void EditorDialog::SetStatus(const std::string& text) {
    status_.SetText(text);
}

void EditorDialog::ShowStatus(UINT textId) {
    status_.SetText(LoadWideText(instance_, textId));
}

void EditorDialog::FillCategoryBox() {
    for (int i = 0; i < kCategoryCount; ++i) {
        categoryBox_.Add(LoadWideText(instance_, IDS_CATEGORY_FIRST + static_cast<UINT>(i)));
    }
    categoryBox_.Select(0);
    RefillPalette();
}

void EditorDialog::RefillPalette() {
    paletteItems_.clear();
    const int category = categoryBox_.Selection();
    if (category >= 0) {
        zolt::RefillPalette(paletteItems_, category, doc_, programPath_, messages_);
    }
    // A row's meaning is its item's index in the palette.
    std::vector<ListRow> rows;
    rows.reserve(paletteItems_.size());
    for (std::size_t i = 0; i < paletteItems_.size(); ++i) {
        rows.push_back({paletteItems_[i].shownText, paletteItems_[i].kind, static_cast<LPARAM>(i)});
    }
    paletteList_.SetRows(std::move(rows));
    if (category < 0) {
        return;
    }
    FitColumns();
    ShowStatus(IDS_STATUS_SELECT_ACTION);
}

INT_PTR EditorDialog::ChangeCategory(WPARAM, LPARAM) {
    RefillPalette();
    return TRUE;
}

INT_PTR EditorDialog::ShowPaletteHint(WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change->iItem < 0 || (change->uChanged & LVIF_STATE) == 0 ||
        (change->uNewState & LVIS_SELECTED) == 0) {
        return 0;
    }
    const LPARAM item = paletteList_.Data(change->iItem);
    if (item < 0 || static_cast<std::size_t>(item) >= paletteItems_.size()) {
        return 0;
    }
    SetStatus(HintText(paletteItems_[static_cast<std::size_t>(item)].codeText));
    return 0;
}

INT_PTR EditorDialog::Save(WPARAM, LPARAM) {
    if (SaveProgram(programPath_, doc_, SystemFileOps(), messages_)) {
        EndDialog(hwnd_, IDC_SAVE);
    }
    return TRUE;
}

INT_PTR EditorDialog::Cancel(WPARAM, LPARAM) {
    if (ConfirmCancel(doc_, messages_)) {
        EndDialog(hwnd_, IDCANCEL);
    }
    return TRUE;
}

INT_PTR EditorDialog::SystemCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) != IDM_ABOUTBOX) {
        return FALSE;
    }
    AboutDialog about;
    about.RunModal(instance_, IDD_ABOUTBOX, hwnd_);
    return TRUE;
}

INT_PTR EditorDialog::PaintMinimised(WPARAM, LPARAM) {
    if (!IsIconic(hwnd_)) {
        return FALSE;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(hwnd_, &paint);
    return TRUE;
}

INT_PTR EditorDialog::QueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<INT_PTR>(icon_);
}

}  // namespace zolt
