// Times the editor window on the largest files: opening, switching events of
// 1,000 lines and switching palette categories of 5,000 and 100,000 actions.
// Run by hand under Wine: wine zolt_window_bench.exe

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/catalog/builtin_tables.h"
#include "harness.h"

namespace {

template <class F>
double Milliseconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    const int kUserActions = argc > 1 ? std::atoi(argv[1]) : 100000;
    using window_test::Editor;
    const std::string line = "PLAY ACTION+ DANCE // " + std::string(228, 'x');
    std::string program;
    for (int r = 0; r < 200; ++r) {
        program +=
            "  //{ \"Group" + std::to_string(r % 20) + "/Event " + std::to_string(r) + "\"\r\n";
        for (int l = 0; l < 1000; ++l) {
            program += "    " + line + "\r\n";
        }
        program += "  //}\r\n";
    }
    std::string cfg;
    for (int i = 0; i < kUserActions; ++i) {
        cfg += "USER_ACTION" + std::to_string(i) + " 1 0 ; comment\r\n";
    }
    const window_test::Stick stick = window_test::WriteStick("bench", program, cfg);

    Editor* editor = nullptr;
    const double open = Milliseconds([&] { editor = new Editor(stick.program); });
    std::printf("open (start-up checks, tree of 200 events, first event): %.0f ms\n", open);

    // Each switch is timed from the tree's selection to the code list refilled.
    double slowest = 0;
    for (int group = 0; group < 5; ++group) {
        const std::string path =
            "Group" + std::to_string(group) + "/Event " + std::to_string(group);
        slowest = std::max(slowest, Milliseconds([&] { editor->SelectTreeItem(path); }) - 60);
    }
    std::printf("switch to an event of 1,000 lines, slowest of 5: %.0f ms\n", slowest);

    const double user = Milliseconds([&] { editor->ChooseCategory(2); }) - 60;
    std::printf("switch to User Actions with %d actions: %.0f ms\n", kUserActions, user);
    const double standard = Milliseconds([&] { editor->ChooseCategory(0); }) - 60;
    std::printf("switch back to Standard: %.0f ms\n", standard);
    delete editor;
    return 0;
}
