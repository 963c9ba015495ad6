// Pupdesk's save under fuzzed failure schedules and retries, read as in
// fuzz_program_save. After every attempt each file holds its old bytes or its
// new ones, never a part and never nothing; a final attempt with nothing
// failing saves both.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/settings.h"
#include "unit/failing_file_ops.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;
using fuzz::Read;

namespace fs = std::filesystem;
using test_support::FailingFileOps;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string root =
        (fs::temp_directory_path() / ("pupdesk-fuzz-save-" + std::to_string(::getpid()))).string();
    fs::remove_all(root);
    const pupdesk::SettingsFiles files = pupdesk::FilesBelow(root);
    fs::create_directories(fs::path(files.plus).parent_path());
    fs::create_directories(fs::path(files.array1).parent_path());
    std::string oldPlus(64, '\x11');
    oldPlus[0] = '\x03';
    oldPlus[1] = '\x00';
    oldPlus[2] = '\xB0';
    oldPlus[3] = '\xA1';
    const std::string oldArray1(8000, '\0');
    std::ofstream(files.plus, std::ios::binary) << oldPlus;
    std::ofstream(files.array1, std::ios::binary) << oldArray1;

    pupdesk::ConsoleSettings settings = pupdesk::LoadSettings(files);
    settings.gender = 2;
    settings.volumeLevel = 4;
    // What a save writes: gender 2, the defaults for the camera, volume 4.
    std::string newArray1 = oldArray1;
    newArray1[46] = 2;
    newArray1[54] = 3;
    newArray1[56] = 2;
    newArray1[58] = 2;
    std::string newPlus = oldPlus;
    newPlus[5] = '\x80';
    newPlus[9] = newPlus[13] = newPlus[17] = '\xFF';

    bool saved = false;
    for (const fuzz::Attempt& attempt : fuzz::Attempts(data, size)) {
        if (saved) {
            break;
        }
        FailingFileOps ops(attempt.failing, pupdesk::SystemFileOps(),
                           attempt.full ? pupdesk::IoResult::Full : pupdesk::IoResult::Failed);
        saved = pupdesk::SaveSettings(settings, files, ops).Empty();
        const std::string array1 = Read(files.array1);
        const std::string plus = Read(files.plus);
        Check(array1 == newArray1 || (!saved && array1 == oldArray1));
        Check(plus == newPlus || (!saved && plus == oldPlus));
    }
    Check(saved);
    Check(!fs::exists(root + "/OPEN-R/APP/PC/AMS/ARRAY1.$$$") &&
          !fs::exists(root + "/CUSTOM/PLUS.$$$"));
    return 0;
}
