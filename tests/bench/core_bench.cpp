// Times what an owner waits for, on the largest files the formats allow:
// start-up (read and parse), a palette category switch (reading the action
// lists again) and a save, on a program of 200 records with long lines.
// Also shows the peak memory against the program file's size, and the
// checker's --write on that program against `wc -l` reading it.
//   core_bench [FOLDER [ZOLTCHECK]]   (default: a scratch folder below the
//   temporary one, and the zoltcheck beside this program)

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <algorithm>

#include "editor/catalog/builtin_tables.h"
#include "editor/catalog/palette.h"
#include "editor/document/program_save.h"
#include "editor/document/startup.h"

namespace {

namespace fs = std::filesystem;

class Quiet : public zolt::MessageSink {
  public:
    void Notify(const zolt::Message&) override {}
    bool AskYesNo(const zolt::Message&) override { return false; }
};

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The most memory the process has held so far.
long PeakKiB() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <class F>
double Milliseconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct ChildRun {
    double ms = 0;
    long peakKiB = 0;
};

// Runs a program with its output thrown away; its time and peak memory.
ChildRun RunChild(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    pid_t pid = 0;
    struct rusage usage {};
    int status = 0;
    run.ms = Milliseconds([&] {
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            wait4(pid, &status, 0, &usage);
        }
    });
    posix_spawn_file_actions_destroy(&actions);
    run.peakKiB = usage.ru_maxrss;
    return run;
}

// The median time of runs taken in turns with another command's.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zolt-bench";
    fs::remove_all(root);
    const fs::path ams = root / "OPEN-R" / "APP" / "PC" / "AMS";

    // 200 records of 1,000 lines each, every line 250 characters; text
    // between the records too.
    constexpr int kRecords = 200;
    constexpr int kLines = 1000;
    // Written as it is made, so that the bench's own memory stays small and
    // the peak below is the editor's.
    const std::string line = "PLAY ACTION+ DANCE // " + std::string(228, 'x');
    fs::create_directories(ams);
    {
        std::ofstream program(ams / "R-CODE.R", std::ios::binary);
        for (int r = 0; r < kRecords; ++r) {
            program << ":LABEL" << r << "\r\n  WAIT 100\r\n";
            program << "  //{ \"Group" << r % 20 << "/Event " << r << "\"\r\n";
            for (int l = 0; l < kLines; ++l) {
                program << "    " << line << "\r\n";
            }
            program << "  //}\r\n";
        }
    }
    const std::uintmax_t programSize = fs::file_size(ams / "R-CODE.R");
    // Action lists of 100,000 lines each, spread over the categories.
    std::string ext = "// ERS-210 actions\r\n";
    std::string cfg;
    for (int i = 0; i < 100000; ++i) {
        const auto& category = zolt::SystemCategories()[static_cast<std::size_t>(i % 20 % 19)];
        ext += std::string(category.word) + "_ACTION" + std::to_string(i) + " 1 0 ; comment\r\n";
        cfg += "USER_ACTION" + std::to_string(i) + " 1 0 ; comment\r\n";
    }
    Write(ams / "ACTION.EXT", ext);
    Write(ams / "ACTION.CFG", cfg);
    Write(root / "OPEN-R" / "MW" / "CONF" / "ERS-210.MWC", "");
    std::printf("program: %ju bytes, %d records of %d lines; action lists: %zu and %zu bytes\n",
                programSize, kRecords, kLines, ext.size(), cfg.size());
    ext.clear();
    ext.shrink_to_fit();
    cfg.clear();
    cfg.shrink_to_fit();
    const long before = PeakKiB();

    // The checker writes the whole program to its output as a save would:
    // against reading the file through once, in turns, median of 9.
    const std::string zoltcheck =
        argc > 2 ? argv[2]
                 : (fs::read_symlink("/proc/self/exe").parent_path() / "zoltcheck").string();
    const std::string programPath = (ams / "R-CODE.R").string();
    std::vector<double> write;
    std::vector<double> count;
    long writePeak = 0;
    for (int i = 0; i < 9; ++i) {
        const ChildRun run = RunChild({zoltcheck, "--write", programPath});
        write.push_back(run.ms);
        writePeak = std::max(writePeak, run.peakKiB);
        count.push_back(RunChild({"/usr/bin/wc", "-l", programPath}).ms);
    }
    std::printf("zoltcheck --write / wc -l: %.1f ms / %.1f ms = %.1fx (goal <= 4x)\n",
                Median(write), Median(count), Median(write) / Median(count));
    std::printf("zoltcheck --write peak memory / program file: %.2fx (goal <= 1.5x)\n",
                static_cast<double>(writePeak) * 1024.0 / static_cast<double>(programSize));

    zolt::ProgramDocument doc;
    zolt::StartupResult start;
    const double startup = Milliseconds(
        [&] { start = zolt::CheckStartup((ams / "R-CODE.R").string(), root.string(), doc); });
    std::printf("start-up checks (read, parse, ERS tag): %.1f ms (%s)\n", startup,
                start.Ok() ? "ok" : zolt::EnglishText(start.message).c_str());

    Quiet quiet;
    zolt::Palette palette;
    double slowest = 0;
    for (int category = 0; category < zolt::kCategoryCount; ++category) {
        const double ms = Milliseconds(
            [&] { zolt::RefillPalette(palette, category, doc, start.programPath, quiet); });
        slowest = std::max(slowest, ms);
    }
    std::printf("palette category switch, slowest of 24: %.1f ms\n", slowest);

    doc.records[0].lines.AppendCodeText("PLAY ACTION SIT\xFFWAIT");
    doc.modified = true;
    const double save = Milliseconds(
        [&] { zolt::SaveProgram(start.programPath, doc, zolt::SystemFileOps(), quiet); });
    std::printf("save (check, backup and program written beside, replaced): %.1f ms\n", save);
    const double peak = static_cast<double>(PeakKiB()) * 1024.0;
    std::printf("peak memory: %.1f MiB, %.2f times the program file (%.1f MiB before start-up)\n",
                peak / (1 << 20), peak / static_cast<double>(programSize),
                static_cast<double>(before) / 1024.0);
    fs::remove_all(root);
    return 0;
}
