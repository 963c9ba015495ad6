#include "input.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace window_test {

namespace {

DWORD lastButtonDown = 0;

void SendMouse(DWORD flags, POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65535LL) / (width - 1));
    input.mi.dy = static_cast<LONG>((point.y * 65535LL) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

// A message sent to the window is handled before the input waiting in its
// queue; the second one is handled only once that input has been taken.
void Settle(HWND window) {
    for (int round = 0; round < 2; ++round) {
        Sleep(30);
        if (window != nullptr && IsWindow(window)) {
            SendMessageA(window, WM_NULL, 0, 0);
        }
    }
}

void MouseMove(HWND window, POINT point) {
    SendMouse(0, point);
    Settle(window);
}

void MouseDown(HWND window, POINT point) {
    const DWORD since = GetTickCount() - lastButtonDown;
    const DWORD wait = GetDoubleClickTime() + 50;
    if (since < wait) {
        Sleep(wait - since);
    }
    SendMouse(MOUSEEVENTF_LEFTDOWN, point);
    lastButtonDown = GetTickCount();
    Settle(window);
}

void MouseUp(HWND window, POINT point) {
    SendMouse(MOUSEEVENTF_LEFTUP, point);
    Settle(window);
}

void DoubleClick(HWND window, POINT point) {
    MouseDown(window, point);
    MouseUp(window, point);
    SendMouse(MOUSEEVENTF_LEFTDOWN, point);
    Settle(window);
    MouseUp(window, point);
}

void Click(HWND window, POINT point) {
    MouseMove(window, point);
    MouseDown(window, point);
    MouseUp(window, point);
}

void RightClick(HWND window, POINT point) {
    MouseMove(window, point);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, point);
    Settle(window);
    SendMouse(MOUSEEVENTF_RIGHTUP, point);
    Settle(window);
}

void KeyPress(HWND window, WORD vk) {
    SendKey(vk, 0);
    Settle(window);
    SendKey(vk, KEYEVENTF_KEYUP);
    Settle(window);
}

namespace {

struct WindowSearch {
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<WindowSearch*>(data);
    char cls[64] = "";
    char text[128] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    const bool matches = IsWindowVisible(hwnd) &&
                         (s->className == nullptr || std::string(cls) == s->className) &&
                         (s->title == nullptr || std::string(text) == s->title);
    if (matches) {
        s->found = hwnd;
    }
    return matches ? FALSE : TRUE;
}

BOOL CALLBACK CollectChildText(HWND child, LPARAM out) {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(text);
    return TRUE;
}

}  // namespace

void KeyChord(HWND window, const std::vector<WORD>& held, WORD vk) {
    for (const WORD modifier : held) {
        SendKey(modifier, 0);
        Settle(window);
    }
    KeyPress(window, vk);
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
        SendKey(*it, KEYEVENTF_KEYUP);
        Settle(window);
    }
}

void PressKeys(HWND window, const std::string& keys) {
    struct Name {
        const char* name;
        WORD vk;
    };
    static const Name names[] = {
        {"Ctrl", VK_CONTROL}, {"Shift", VK_SHIFT},   {"Alt", VK_MENU},      {"Tab", VK_TAB},
        {"Up", VK_UP},        {"Down", VK_DOWN},     {"Left", VK_LEFT},     {"Right", VK_RIGHT},
        {"Home", VK_HOME},    {"End", VK_END},       {"Insert", VK_INSERT}, {"Delete", VK_DELETE},
        {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Space", VK_SPACE},   {"F2", VK_F2},
        {"F10", VK_F10},      {"Apps", VK_APPS},
    };
    auto vkOf = [](const std::string& name) -> WORD {
        for (const Name& n : names) {
            if (name == n.name) {
                return n.vk;
            }
        }
        return name.size() == 1 ? static_cast<WORD>(name[0]) : 0;
    };
    std::size_t pos = 0;
    while (pos < keys.size()) {
        std::size_t end = keys.find(' ', pos);
        if (end == std::string::npos) {
            end = keys.size();
        }
        const std::string chord = keys.substr(pos, end - pos);
        pos = end + 1;
        if (chord.empty()) {
            continue;
        }
        std::vector<WORD> held;
        std::size_t start = 0;
        for (std::size_t plus; (plus = chord.find('+', start)) != std::string::npos;) {
            held.push_back(vkOf(chord.substr(start, plus - start)));
            start = plus + 1;
        }
        KeyChord(window, held, vkOf(chord.substr(start)));
    }
}

HWND WaitForThreadWindow(DWORD thread, const char* className, const char* title) {
    WindowSearch search{className, title, nullptr};
    // A fresh Wine prefix may take many seconds over its first window.
    const DWORD start = GetTickCount();
    while (search.found == nullptr && GetTickCount() - start < kWindowWaitMs) {
        Sleep(10);
        EnumThreadWindows(thread, MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::string Quoted(const std::string& path) {
    std::string quoted(1, '"');
    quoted += path;
    quoted += '"';
    return quoted;
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

namespace {

struct LabelSearch {
    const std::vector<int>* except;
    std::vector<HWND> found;
};

// Static texts and buttons of every kind; pictures and frames have no text
// to fit.
bool IsLabel(HWND control) {
    char cls[32] = "";
    GetClassNameA(control, cls, sizeof cls);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(cls, "Static") == 0) {
        const LONG kind = style & SS_TYPEMASK;
        return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT ||
               kind == SS_LEFTNOWORDWRAP;
    }
    return lstrcmpiA(cls, "Button") == 0;
}

BOOL CALLBACK CollectLabel(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<LabelSearch*>(data);
    const int id = GetDlgCtrlID(child);
    bool skipped = false;
    for (const int except : *search->except) {
        skipped = skipped || id == except;
    }
    if (IsLabel(child) && !skipped) {
        search->found.push_back(child);
    }
    return TRUE;
}

std::vector<HWND> Labels(HWND dialog, const std::vector<int>& except) {
    LabelSearch search{&except, {}};
    EnumChildWindows(dialog, CollectLabel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

INT_PTR CALLBACK TemplateProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

}  // namespace

std::vector<std::string> LabelTexts(HWND dialog, const std::vector<int>& except) {
    std::vector<std::string> texts;
    for (const HWND label : Labels(dialog, except)) {
        texts.push_back(WindowText(label));
    }
    return texts;
}

std::vector<std::string> TemplateTexts(HMODULE module, int templateId, LANGID language,
                                       const std::vector<int>& except) {
    const HRSRC found =
        FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(templateId), language);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr) {
        return {"(no template)"};
    }
    const HWND dialog = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), static_cast<const DLGTEMPLATE*>(LockResource(loaded)), nullptr,
        TemplateProc, 0);
    std::vector<std::string> texts{WindowText(dialog)};
    for (const std::string& text : LabelTexts(dialog, except)) {
        texts.push_back(text);
    }
    DestroyWindow(dialog);
    return texts;
}

std::vector<std::string> CutOffTexts(HWND dialog) {
    std::vector<std::string> cut;
    for (const HWND label : Labels(dialog, {})) {
        const std::string text = WindowText(label);
        if (text.empty() || !IsWindowVisible(label)) {
            continue;
        }
        char cls[32] = "";
        GetClassNameA(label, cls, sizeof cls);
        const LONG style = GetWindowLongA(label, GWL_STYLE);
        RECT client{};
        GetClientRect(label, &client);
        const HDC dc = GetDC(label);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
        RECT need{0, 0, client.right, 0};
        bool fits = true;
        if (lstrcmpiA(cls, "Static") == 0) {
            const UINT prefix = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
            DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | prefix);
            fits = need.right <= client.right && need.bottom <= client.bottom;
        } else {
            const LONG kind = style & BS_TYPEMASK;
            int besides = 8;  // a push button's edges
            if (kind == BS_GROUPBOX) {
                besides = 12;  // the frame's corner on either side of the title
            } else if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                       kind == BS_AUTORADIOBUTTON) {
                besides = GetSystemMetrics(SM_CXMENUCHECK) + 3;
            }
            DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
            fits = need.right + besides <= client.right;
        }
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        if (!fits) {
            cut.push_back(text);
        }
    }
    return cut;
}

void SaveScreenshot(const std::string& name) {
    const char* folder = std::getenv("ZOLT_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0') {
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace window_test
