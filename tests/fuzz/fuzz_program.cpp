// The program file: parse any bytes; a document that parses and may be saved
// is written, read back to the same records, and written again to the same
// bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/document/program_document.h"
#include "editor/document/program_parser.h"
#include "editor/document/program_writer.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zolt::ProgramDocument first;
    first.text.assign(reinterpret_cast<const char*>(data), size);
    if (!zolt::ParseProgram(first) || !zolt::CheckReadBack(first).Empty()) {
        return 0;
    }
    const std::string written = zolt::WriteProgram(first);
    Check(written.size() == zolt::WrittenSize(first));

    zolt::ProgramDocument second;
    second.text = written;
    Check(zolt::ParseProgram(second).Ok());
    Check(second.RecordCount() == first.RecordCount());
    for (int i = 0; i < first.RecordCount(); ++i) {
        const zolt::ZoltRecord& a = first.records[static_cast<std::size_t>(i)];
        const zolt::ZoltRecord& b = second.records[static_cast<std::size_t>(i)];
        Check(a.name == b.name && a.indent == b.indent && a.options == b.options);
        Check(a.preText.has_value() == b.preText.has_value());
        Check(a.lines.Count() == b.lines.Count());
        for (int l = 0; l < a.lines.Count(); ++l) {
            Check(a.lines[l] == b.lines[l]);
        }
    }
    // Once written, a program is written again byte for byte.
    Check(zolt::WriteProgram(second) == written);
    // A copy of a document owns its lines and writes the same.
    const zolt::ProgramDocument copy = second;
    Check(zolt::WriteProgram(copy) == written);
    return 0;
}
