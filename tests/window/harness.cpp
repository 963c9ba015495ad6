#include "harness.h"

#include "input.h"

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "editor/document/paths.h"
#include "editor/document/startup.h"
#include "editor/resources/resource.h"
#include "editor/window/run_editor.h"

namespace window_test {

namespace fs = std::filesystem;

void CapturedMessages::Notify(const zolt::Message& message) {
    Guard lock(mutex_);
    shown_.push_back(zolt::MessageText(message));
}

bool CapturedMessages::AskYesNo(const zolt::Message& message) {
    Guard lock(mutex_);
    asked_.push_back(zolt::MessageText(message));
    if (answers_.empty()) {
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void CapturedMessages::Answer(bool yes) {
    Guard lock(mutex_);
    answers_.push_back(yes);
}

std::vector<std::string> CapturedMessages::Shown() {
    Guard lock(mutex_);
    return shown_;
}

std::vector<std::string> CapturedMessages::Asked() {
    Guard lock(mutex_);
    return asked_;
}

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

Stick WriteStick(const std::string& name, const std::string& programText,
                 const std::string& actionCfg) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / "zolt-window-tests" / name;
    fs::remove_all(root);
    const fs::path ams = root / "OPEN-R" / "APP" / "PC" / "AMS";
    WriteFile(ams / "R-CODE.R", programText);
    WriteFile(ams / "ACTION.EXT", "// ERS-210 system actions\r\nALONE_DANCE 1 0 ; dance alone\r\n");
    WriteFile(ams / "ACTION.CFG", actionCfg);
    WriteFile(root / "OPEN-R" / "MW" / "CONF" / "ERS-210.MWC", "");
    return {root.string(), (ams / "R-CODE.R").string()};
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

Editor::Editor(const std::string& programPath) {
    thread_ = std::make_unique<Thread>([this, programPath] {
        threadId_ = GetCurrentThreadId();
        const zolt::StartupResult start =
            zolt::CheckStartup(programPath, zolt::CurrentDirectory(), doc_);
        if (!start.Ok()) {
            failed_ = true;
            return;
        }
        zolt::EditorDialog dialog(GetModuleHandleA(nullptr), doc_, start.programPath, messages_);
        dialog_ = &dialog;
        result_ = dialog.Run();
        dialog_ = nullptr;
    });
    // The dialog is up once its thread has a visible dialog window.
    while (threadId_ == 0 && !failed_) {
        Sleep(10);
    }
    if (!failed_) {
        hwnd_ = WaitForThreadWindow(threadId_, "#32770", nullptr);
        if (hwnd_ == nullptr) {
            thread_->terminate();
            throw std::runtime_error("the editor dialog did not appear");
        }
    }
    Settle();
}

Editor::~Editor() {
    if (Running()) {
        messages_.Answer(true);
        PostMessageA(hwnd_, WM_COMMAND, IDCANCEL, 0);
    }
    if (thread_) {
        thread_->join();
    }
}

bool Editor::Running() const {
    return hwnd_ != nullptr && IsWindow(hwnd_);
}

INT_PTR Editor::WaitForEnd() {
    if (thread_) {
        thread_->join();
    }
    return result_;
}

void Editor::Settle() const {
    window_test::Settle(hwnd_);
}

namespace {

// The tree read through the editor's own wrapper, from the test's thread.
zolt::TreeView TreeOf(HWND tree) {
    zolt::TreeView view;
    view.Attach(tree);
    return view;
}

void Collect(const zolt::TreeView& tree, HTREEITEM item, std::vector<TreeNode>& out) {
    for (; item != nullptr; item = tree.NextSibling(item)) {
        TreeNode node{tree.Text(item), tree.Data(item), {}};
        Collect(tree, tree.FirstChild(item), node.children);
        out.push_back(std::move(node));
    }
}

// What a list shows, read through the control, with the meaning the dialog
// keeps for each row (the control carries none).
std::vector<ListRow> Rows(HWND list, const zolt::ListView& kept) {
    std::vector<ListRow> rows;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({text, item.iImage, kept.Data(i)});
    }
    return rows;
}

}  // namespace

std::vector<TreeNode> Editor::Tree() const {
    std::vector<TreeNode> nodes;
    const zolt::TreeView tree = TreeOf(Control(IDC_EVENT_TREE));
    Collect(tree, tree.FirstRoot(), nodes);
    return nodes;
}

std::string Editor::SelectedTreeText() const {
    const zolt::TreeView tree = TreeOf(Control(IDC_EVENT_TREE));
    const HTREEITEM item = tree.Selection();
    return item != nullptr ? tree.Text(item) : "";
}

bool Editor::SelectTreeItem(const std::string& path) {
    zolt::TreeView tree = TreeOf(Control(IDC_EVENT_TREE));
    HTREEITEM item = tree.FirstRoot();
    std::string rest = path;
    while (item != nullptr) {
        const std::size_t slash = rest.find('/');
        if (rest.substr(0, slash) != tree.Text(item)) {
            item = tree.NextSibling(item);
            continue;
        }
        if (slash == std::string::npos) {
            // The tree view itself sends TVN_SELCHANGED for this.
            tree.Select(item);
            Settle();
            return true;
        }
        rest = rest.substr(slash + 1);
        tree.Expand(item);
        item = tree.FirstChild(item);
    }
    return false;
}

std::vector<ListRow> Editor::CodeList() const {
    return Rows(Control(IDC_CODE_LIST), dialog_.load()->CodeListRows());
}

std::vector<ListRow> Editor::PaletteRows() const {
    return Rows(Control(IDC_PALETTE), dialog_.load()->PaletteListRows());
}

std::vector<std::string> Editor::CodeLines() const {
    std::vector<std::string> lines;
    for (const ListRow& row : CodeList()) {
        lines.push_back(row.text);
    }
    return lines;
}

std::string Editor::Status() const {
    char text[512] = "";
    GetWindowTextA(Control(IDC_STATUS), text, sizeof text);
    return text;
}

void Editor::ChooseCategory(int index) {
    const HWND box = Control(IDC_CATEGORY);
    SendMessageA(box, CB_SETCURSEL, index, 0);
    // What the box itself sends when the owner picks an entry.
    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_CATEGORY, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    Settle();
}

POINT Editor::ItemPoint(int listId, int index) const {
    const HWND list = Control(listId);
    // On the item's text: beside it, a multiple-selection list starts a
    // marquee instead of a drag.
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    POINT point{rect.left + 12, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

POINT Editor::ControlPoint(int id, int dx, int dy) const {
    RECT rect{};
    GetWindowRect(id == 0 ? hwnd_ : Control(id), &rect);
    return POINT{rect.left + dx, rect.top + dy};
}

void Editor::MoveTo(POINT point) {
    MouseMove(hwnd_, point);
    lastPoint_ = point;
}

void Editor::Click(POINT point) {
    window_test::Click(hwnd_, point);
    lastPoint_ = point;
}

void Editor::DragTo(POINT from, POINT to) {
    MouseMove(hwnd_, from);
    MouseDown(hwnd_, from);
    // The first move stays on the item, as a hand's would: the list view
    // starts a drag only from a move that it receives itself.
    MouseMove(hwnd_, POINT{from.x + 8, from.y});
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        MouseMove(hwnd_, POINT{from.x + (to.x - from.x) * i / kSteps,
                               from.y + (to.y - from.y) * i / kSteps});
    }
    lastPoint_ = to;
}

void Editor::Release() {
    MouseUp(hwnd_, lastPoint_);
}

void Editor::Key(WORD vk) {
    KeyPress(hwnd_, vk);
}

void Editor::Press(const std::string& keys) {
    PressKeys(hwnd_, keys);
}

void Editor::Screenshot(const std::string& name) const {
    SaveScreenshot(name);
}

}  // namespace window_test
