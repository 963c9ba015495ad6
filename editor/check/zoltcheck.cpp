// zoltcheck: runs the editor's start-up checks on a program file, so an owner
// can check a file before copying it to the stick, and prints what the editor
// would see.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "editor/catalog/palette.h"
#include "editor/document/paths.h"
#include "editor/document/program_document.h"
#include "editor/document/program_save.h"
#include "editor/document/program_writer.h"
#include "editor/document/startup.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: zoltcheck [PROGRAM]\n"
    "       zoltcheck --events [PROGRAM]\n"
    "       zoltcheck --write [PROGRAM]\n"
    "       zoltcheck --palette N [PROGRAM]   (N: palette category 0 to 23)\n"
    "Runs the start-up checks of the zolt editor on PROGRAM (default: "
    "../OPEN-R/APP/PC/AMS/R-CODE.R).\n";

enum class Mode { Check, Events, Write, Palette };

// Prints the palette of one category as the editor fills it; the message a
// refill would show goes to standard error.
class StderrMessages : public zolt::MessageSink {
  public:
    void Notify(const zolt::Message& message) override {
        const std::string text = zolt::EnglishText(message);
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
    bool AskYesNo(const zolt::Message&) override { return false; }
};

void Put(std::FILE* out, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

void PutLine(std::string_view label, std::string_view text) {
    Put(stdout, label);
    Put(stdout, text);
    Put(stdout, "\n");
}

void PrintEvents(const zolt::ProgramDocument& doc) {
    for (int i = 0; i < doc.RecordCount(); ++i) {
        const zolt::ZoltRecord& record = doc.records[static_cast<std::size_t>(i)];
        PutLine("event " + std::to_string(i) + ": ", record.name);
        if (record.preText) {
            PutLine("pre: ", *record.preText);
        }
        for (const std::string_view line : record.lines) {
            PutLine("line: ", line);
        }
    }
    for (const std::string_view text : doc.subroutines) {
        PutLine("subroutine: ", text);
    }
}

void PrintPalette(const zolt::ProgramDocument& doc, const std::string& programPath, int category) {
    zolt::Palette palette;
    StderrMessages messages;
    zolt::RefillPalette(palette, category, doc, programPath, messages);
    for (const zolt::PaletteItem& item : palette) {
        std::string row = std::to_string(item.kind) + "\t" + item.shownText + "\t";
        for (char c : item.codeText) {
            row += c == zolt::kLineSeparator ? '\t' : c;
        }
        PutLine("", row);
    }
}

// A palette category number: 0 to 23, digits only.
bool ReadCategory(std::string_view text, int& category) {
    if (text.empty() || text.size() > 2) {
        return false;
    }
    category = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        category = category * 10 + (c - '0');
    }
    return category < zolt::kCategoryCount;
}

int Usage() {
    Put(stderr, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Paths are read by the system's ANSI code page.
    std::array<bool, 256> lead{};
    for (int c = 0; c < 256; ++c) {
        lead[static_cast<std::size_t>(c)] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0;
    }
    zolt::SetActiveLeadBytes(zolt::LeadBytes::FromFlags(lead));
#endif
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    Mode mode = Mode::Check;
    int category = 0;
    int next = 1;
    if (next < argc && std::string_view(argv[next]).starts_with("-")) {
        const std::string_view option = argv[next++];
        if (option == "--events") {
            mode = Mode::Events;
        } else if (option == "--write") {
            mode = Mode::Write;
        } else if (option == "--palette") {
            mode = Mode::Palette;
            if (next >= argc || !ReadCategory(argv[next++], category)) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (argc - next > 1) {
        return Usage();
    }
    const std::string_view argument = next < argc ? argv[next] : "";

    zolt::ProgramDocument doc;
    const zolt::StartupResult start = zolt::CheckStartup(argument, zolt::CurrentDirectory(), doc);
    if (!start.Ok()) {
        Put(stderr, zolt::EnglishText(start.message));
        Put(stderr, "\n");
        // A save cut short may have left the program beside its place; the
        // checker only tells, it changes nothing on the stick.
        if (const auto found =
                zolt::FindUnplacedProgram(start.programPath, zolt::SystemFileOps())) {
            Put(stderr, zolt::EnglishText(zolt::UnplacedProgramNote(*found)));
            Put(stderr, "\n");
        }
        return 1;
    }
    switch (mode) {
        case Mode::Check:
            PutLine("OK: ", std::to_string(doc.RecordCount()) + " ZOLT records (ERS-" +
                                std::to_string(start.model) + ")");
            break;
        case Mode::Events:
            PrintEvents(doc);
            break;
        case Mode::Palette:
            PrintPalette(doc, start.programPath, category);
            break;
        case Mode::Write: {
            const zolt::Message refusal = zolt::CheckReadBack(doc);
            if (!refusal.Empty()) {
                Put(stderr, zolt::EnglishText(refusal));
                Put(stderr, "\n");
                return 1;
            }
            // Handed out in pieces as the writer makes them, never held whole.
            zolt::WriteProgramTo(doc, [](std::string_view piece) {
                return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
            });
            break;
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
