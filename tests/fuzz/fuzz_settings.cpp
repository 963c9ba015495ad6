// Pupdesk's settings files: any bytes in PLUS.DAT, ARRAY1.DAT and ENDURE.SAV
// load, and a save keeps every byte outside the fields it writes. The first
// byte says which files exist, the second how many bytes PLUS.DAT takes;
// ARRAY1.DAT and ENDURE.SAV share the rest.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "console/settings.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;
using fuzz::Read;

namespace fs = std::filesystem;

bool Written(std::size_t offset, std::initializer_list<std::size_t> fields) {
    for (const std::size_t field : fields) {
        if (offset == field) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    static const std::string root =
        (fs::temp_directory_path() / ("pupdesk-fuzz-" + std::to_string(::getpid()))).string();
    fs::remove_all(root);
    const pupdesk::SettingsFiles files = pupdesk::FilesBelow(root);
    fs::create_directories(fs::path(files.plus).parent_path());
    fs::create_directories(fs::path(files.array1).parent_path());

    const std::size_t plusSize = std::min<std::size_t>(data[1], size - 2);
    const std::string plus(reinterpret_cast<const char*>(data) + 2, plusSize);
    const std::string rest(reinterpret_cast<const char*>(data) + 2 + plusSize, size - 2 - plusSize);
    if (data[0] & 1) {
        std::ofstream(files.plus, std::ios::binary) << plus;
    }
    if (data[0] & 2) {
        std::ofstream(files.array1, std::ios::binary) << rest;
    }
    if (data[0] & 4) {
        std::ofstream(files.endure, std::ios::binary) << rest.substr(0, 1100);
    }

    pupdesk::ConsoleSettings settings = pupdesk::LoadSettings(files);
    const pupdesk::ConsoleSettings loaded = settings;
    Check(settings.volumeLevel >= 0 && settings.volumeLevel <= 4);
    Check(settings.endurance >= 0);
    Check(pupdesk::SaveSettings(settings, files, pupdesk::SystemFileOps()).Empty());

    // ARRAY1.DAT: the saved words change, every other byte is kept.
    const std::string array1 = Read(files.array1);
    const std::string old = data[0] & 2 ? rest : std::string();
    Check(array1.size() == std::max<std::size_t>(old.size(), pupdesk::kArray1Size));
    for (std::size_t i = 0; i < array1.size(); ++i) {
        if (!Written(i, {44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 62, 63})) {
            Check(array1[i] == (i < old.size() ? old[i] : '\0'));
        }
    }
    // PLUS.DAT: written only when it was valid, and then only its volume bytes.
    if (data[0] & 1) {
        const std::string now = Read(files.plus);
        Check(now.size() == plus.size());
        for (std::size_t i = 0; i < now.size(); ++i) {
            Check(now[i] == plus[i] || (loaded.plusValid && Written(i, {5, 9, 13, 17})));
        }
    } else {
        Check(!fs::exists(files.plus));
    }
    // What was saved loads as the same settings.
    const pupdesk::ConsoleSettings again = pupdesk::LoadSettings(files);
    Check(again.gender == settings.gender && again.balance == settings.balance &&
          again.gain == settings.gain && again.shutter == settings.shutter &&
          again.manualCamera == settings.manualCamera &&
          again.elephantMode == settings.elephantMode &&
          again.disableRollOver == settings.disableRollOver &&
          again.disableNameRegistration == settings.disableNameRegistration &&
          static_cast<std::int16_t>(again.seeBallSound) ==
              static_cast<std::int16_t>(settings.seeBallSound) &&
          again.learnedThings == loaded.learnedThings && again.plusValid == loaded.plusValid &&
          (!loaded.plusValid || again.volumeLevel == settings.volumeLevel));
    return 0;
}
