// Where the editor stands on what an owner waits for, each figure against its
// yardstick in one run:
// - start-up of zolt.exe, until it waits for input, against a dialog with one
//   tree control started the same way (runs taken in turns, median of 25),
//   on the sample stick and on the largest program the format allows;
// - selecting an event of 1,000 lines, and switching the category box to
//   2,000 installed actions, each until the list has painted, against the
//   16 ms of one frame (every one of 20 switches).
// Run under Wine by tests/bench/run.sh:
//   zolt_window_bench.exe ZOLT_EXE YARDSTICK_EXE SAMPLE_STICK

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/resources/resource.h"
#include "harness.h"
#include "input.h"

namespace {

using Clock = std::chrono::steady_clock;

BOOL CALLBACK PostCancel(HWND hwnd, LPARAM) {
    PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Starts a program in a folder and times it until it waits for input (its
// first window shown and painted); then closes it.
double StartUp(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = window_test::Quoted(exe);
    const Clock::time_point start = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        return -1;
    }
    WaitForInputIdle(info.hProcess, 60000);
    const double ms = MillisecondsSince(start);
    // Its dialog answers Cancel; nothing was changed, so it asks nothing.
    for (int tries = 0; tries < 100 && WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT;
         ++tries) {
        EnumThreadWindows(info.dwThreadId, &PostCancel, 0);
    }
    TerminateProcess(info.hProcess, 0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ms;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void StartUpRatio(const char* what, const std::string& zolt, const std::string& yardstick,
                  const std::string& folder, double goal) {
    std::vector<double> mine;
    std::vector<double> theirs;
    for (int i = 0; i < 25; ++i) {
        mine.push_back(StartUp(zolt, folder));
        theirs.push_back(StartUp(yardstick, folder));
    }
    std::printf(
        "start-up on %s, zolt / minimal dialog: %.0f ms / %.0f ms = %.2fx (goal <= %.1fx)\n", what,
        Median(mine), Median(theirs), Median(mine) / Median(theirs), goal);
}

// The largest legal program: 200 events of 1,000 lines of 250 characters.
std::string LargestProgram() {
    const std::string line = "PLAY ACTION+ DANCE // " + std::string(228, 'x');
    std::string program;
    for (int r = 0; r < 200; ++r) {
        program +=
            "//{ \"Group" + std::to_string(r % 20) + "/Event " + std::to_string(r) + "\"\r\n";
        for (int l = 0; l < 1000; ++l) {
            program += "    " + line + "\r\n";
        }
        program += "//}\r\n";
    }
    return program;
}

// Slowest of the switches, each timed from the change until the list has
// painted what it shows; `prepare` runs untimed before each.
template <class Prepare, class Switch>
double Slowest(HWND list, int count, Prepare&& prepare, Switch&& change) {
    double slowest = 0;
    for (int i = 0; i < count; ++i) {
        prepare(i);
        const Clock::time_point start = Clock::now();
        change(i);
        SendMessageA(list, WM_PAINT, 0, 0);
        slowest = std::max(slowest, MillisecondsSince(start));
    }
    return slowest;
}

// What painting the list costs here when nothing changed: the floor under
// every switch on this machine's display.
double Repaint(HWND list) {
    return Slowest(
        list, 20, [&](int) { InvalidateRect(list, nullptr, TRUE); }, [](int) {});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: zolt_window_bench ZOLT_EXE YARDSTICK_EXE SAMPLE_STICK\n");
        return 2;
    }
    const std::string zolt = argv[1];
    const std::string yardstick = argv[2];
    const std::string sample = std::string(argv[3]) + "\\ZOLT";
    CreateDirectoryA(sample.c_str(), nullptr);

    std::string cfg;
    for (int i = 0; i < 2000; ++i) {
        cfg += "USER_ACTION" + std::to_string(i) + " 1 0 ; comment\r\n";
    }
    const window_test::Stick stick = window_test::WriteStick("bench", LargestProgram(), cfg);
    const std::string largest = stick.root + "\\ZOLT";
    CreateDirectoryA(largest.c_str(), nullptr);

    StartUpRatio("the sample stick", zolt, yardstick, sample, 1.2);
    StartUpRatio("the largest program (51 MB)", zolt, yardstick, largest, 2.0);

    window_test::Editor editor(stick.program);
    const HWND tree = editor.Control(IDC_EVENT_TREE);
    std::vector<HTREEITEM> events;
    for (HTREEITEM group = TreeView_GetRoot(tree); group != nullptr;
         group = TreeView_GetNextSibling(tree, group)) {
        TreeView_Expand(tree, group, TVE_EXPAND);
        events.push_back(TreeView_GetChild(tree, group));
    }
    const HWND codeList = editor.Control(IDC_CODE_LIST);
    const double select = Slowest(
        codeList, 20, [](int) {},
        [&](int i) {
            SendMessageA(
                tree, TVM_SELECTITEM, TVGN_CARET,
                reinterpret_cast<LPARAM>(events[static_cast<std::size_t>(i) % events.size()]));
        });
    std::printf(
        "selecting an event of 1,000 lines until painted, slowest of 20: %.1f ms "
        "(goal <= 16 ms; painting the unchanged list: %.1f ms)\n",
        select, Repaint(codeList));
    const HWND box = editor.Control(IDC_CATEGORY);
    const HWND palette = editor.Control(IDC_PALETTE);
    // User Actions (2,000) and Standard in turns, timed from the moment the
    // category box tells the dialog.
    const double category = Slowest(
        palette, 20, [&](int i) { SendMessageA(box, CB_SETCURSEL, i % 2 == 0 ? 2 : 0, 0); },
        [&](int) {
            SendMessageA(editor.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_CATEGORY, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(box));
        });
    std::printf(
        "switching to a category of 2,000 installed actions until painted, slowest of "
        "20: %.1f ms (goal <= 16 ms; painting the unchanged list: %.1f ms)\n",
        category, Repaint(palette));
    return 0;
}
