// zolt's save under fuzzed failure schedules and retries. The input is a list
// of attempts separated by zero bytes; in each, a byte names a file operation
// that fails (its low six bits, from 1) and how (bit 6: for want of room).
// After every attempt the program as read is under its own name, or the new
// program is after a save that said so; the backup holds the old backup or
// the program as read; a final attempt with nothing failing saves.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"
#include "editor/document/program_save.h"
#include "unit/failing_file_ops.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;
using fuzz::Read;

namespace fs = std::filesystem;
using test_support::FailingFileOps;

struct Quiet : zolt::MessageSink {
    void Notify(const zolt::Message&) override {}
    bool AskYesNo(const zolt::Message&) override { return false; }
};

const std::string kOriginal = "HEAD\r\n  //{ \"a\"\r\n  WAIT\r\n  //}\r\nTAIL\r\n";
const std::string kSaved = "HEAD\r\n  //{ \"a\"\r\n    WAIT\r\n    SIT\r\n  //}\r\nTAIL\r\n";
const std::string kOldBackup = "old backup";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir =
        fs::temp_directory_path() / ("zolt-fuzz-save-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string program = (dir / "R-CODE.R").string();
    std::ofstream(program, std::ios::binary) << kOriginal;
    std::ofstream(dir / "R-CODE.BAK", std::ios::binary) << kOldBackup;

    zolt::ProgramDocument doc;
    doc.text = kOriginal;
    Check(zolt::ParseProgram(doc).Ok());
    doc.records[0].lines.AppendLine("SIT");
    doc.modified = true;

    Quiet quiet;
    bool saved = false;
    for (const fuzz::Attempt& attempt : fuzz::Attempts(data, size)) {
        if (saved) {
            break;
        }
        FailingFileOps files(attempt.failing, zolt::SystemFileOps(),
                             attempt.full ? zolt::IoResult::Full : zolt::IoResult::Failed);
        saved = zolt::SaveProgram(program, doc, files, quiet);
        Check(Read(program) == (saved ? kSaved : kOriginal));
        const std::string backup = Read(dir / "R-CODE.BAK");
        Check(backup == kOriginal || (!saved && backup == kOldBackup));
    }
    Check(saved);
    Check(!fs::exists(dir / "R-CODE.$$$") && !fs::exists(dir / "R-CODE.$$B"));
    return 0;
}
