#pragma once

#include <windows.h>

#include <string>

#include "input.h"

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
        Search search{info.dwProcessId, &title, nullptr};
        const DWORD start = GetTickCount();
        while (search.found == nullptr && GetTickCount() - start < kWindowWaitMs) {
            Sleep(20);
            EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        }
        return search.found;
    }

    DWORD WaitForExit() const {
        WaitForSingleObject(info.hProcess, 20000);
        DWORD code = 12345;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

  private:
    struct Search {
        DWORD pid;
        const std::string* title;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND hwnd, LPARAM data) {
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
    }
};

}  // namespace window_test
