// Installed actions: an action list of any bytes, under every filter. What
// reaches the palette can go into the program: code texts of at most 255
// characters without NUL or line feed (a lone carriage return belongs to its
// line, in the program too), shown texts of at most 63.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/catalog/builtin_tables.h"
#include "editor/catalog/installed_actions.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zolt::Palette palette;
    zolt::LoadInstalledActionText(palette, bytes, "ACTION+", {});
    zolt::LoadInstalledActionText(palette, bytes, "ACTION", {zolt::NameFilter::Kind::Other, {}});
    for (const zolt::SystemCategory& category : zolt::SystemCategories()) {
        zolt::LoadInstalledActionText(palette, bytes, "ACTION",
                                      {zolt::NameFilter::Kind::Category, category.word});
    }
    for (const zolt::PaletteItem& item : palette) {
        Check(!item.codeText.empty() && item.codeText.size() <= zolt::kMaxCodeTextLength);
        Check(item.codeText.find_first_of(std::string_view("\0\n", 2)) == std::string::npos);
        Check(item.shownText.size() <= zolt::kMaxShownTextLength);
        Check(item.kind >= 0 && item.kind <= 6);
    }
    return 0;
}
