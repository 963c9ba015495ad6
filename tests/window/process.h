#pragma once

#include <windows.h>

#include <string>

namespace window_test {

// A program started for a test, ended when the test is done with it.
struct Process {
    PROCESS_INFORMATION info{};
    bool started = false;

    Process(const std::string& commandLine, const std::string& folder) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.c_str(), &startup, &info) != 0;
    }
    ~Process() {
        if (started) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info.hProcess, 99);
            }
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
    }

    // The first visible top-level window of the process with this title.
    HWND WaitForWindow(const std::string& title) const {
        struct Search {
            DWORD pid;
            const std::string* title;
            HWND found;
        } search{info.dwProcessId, &title, nullptr};
        for (int tries = 0; tries < 1000 && search.found == nullptr; ++tries) {
            Sleep(20);
            EnumWindows(
                [](HWND hwnd, LPARAM data) {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(hwnd, &pid);
                    char text[128] = "";
                    GetWindowTextA(hwnd, text, sizeof text);
                    if (pid == s->pid && IsWindowVisible(hwnd) && *s->title == text) {
                        s->found = hwnd;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
        }
        return search.found;
    }

    DWORD WaitForExit() const {
        WaitForSingleObject(info.hProcess, 20000);
        DWORD code = 12345;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

}  // namespace window_test
