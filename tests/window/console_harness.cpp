#include "console_harness.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "input.h"
#include "win32ui/text.h"

namespace window_test {

namespace fs = std::filesystem;

void CapturedFailures::ShowSaveFailure(HWND, const std::wstring& text) {
    Guard lock(mutex_);
    shown_.push_back(win32ui::NarrowText(text.c_str()));
}

std::vector<std::string> CapturedFailures::Shown() {
    Guard lock(mutex_);
    return shown_;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ConsoleStick WriteConsoleStick(const std::string& name, const std::string* plus,
                               const std::string* array1, const std::string* endure) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / "pupdesk-window-tests" / name;
    fs::remove_all(root);
    fs::create_directories(root / "CUSTOM");
    fs::create_directories(root / "OPEN-R" / "APP" / "PC" / "AMS");
    ConsoleStick stick{root.string(), pupdesk::FilesBelow(root.string())};
    if (plus != nullptr) {
        WriteAll(stick.files.plus, *plus);
    }
    if (array1 != nullptr) {
        WriteAll(stick.files.array1, *array1);
    }
    if (endure != nullptr) {
        WriteAll(stick.files.endure, *endure);
    }
    return stick;
}

Console::Console(const std::string& root) {
    thread_ = std::make_unique<Thread>([this, root] {
        threadId_ = GetCurrentThreadId();
        pupdesk::ConsoleDialog dialog(GetModuleHandleA(nullptr), pupdesk::FilesBelow(root),
                                      pupdesk::SystemFileOps(), failures_);
        result_ = dialog.Run(nullptr);
    });
    while (threadId_ == 0) {
        Sleep(10);
    }
    hwnd_ = WaitForThreadWindow(threadId_, "#32770", nullptr);
    if (hwnd_ == nullptr) {
        thread_->terminate();
        throw std::runtime_error("the console dialog did not appear");
    }
    SetForegroundWindow(hwnd_);
    Settle();
}

Console::~Console() {
    if (Running()) {
        PostMessageA(hwnd_, WM_COMMAND, IDCANCEL, 0);
    }
    if (thread_) {
        thread_->join();
    }
}

std::string Console::Text(int id) const {
    char text[256] = "";
    GetWindowTextA(Control(id), text, sizeof text);
    return text;
}

bool Console::Checked(int id) const {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Console::TrackPosition() const {
    return static_cast<int>(SendMessageA(Control(1006), TBM_GETPOS, 0, 0));
}

int Console::SoundSelection() const {
    return static_cast<int>(SendMessageA(Control(1003), CB_GETCURSEL, 0, 0));
}

void Console::ClickControl(int id) {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    window_test::Click(hwnd_, POINT{rect.left + 6, (rect.top + rect.bottom) / 2});
}

void Console::Key(WORD vk) {
    KeyPress(hwnd_, vk);
}

void Console::Type(const std::string& keys) {
    for (char c : keys) {
        KeyPress(hwnd_, static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
}

void Console::Settle() const {
    window_test::Settle(hwnd_);
}

INT_PTR Console::WaitForEnd() {
    if (thread_) {
        thread_->join();
    }
    return result_;
}

}  // namespace window_test
