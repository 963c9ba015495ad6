// PRE clauses: tag options and PRE lines of any bytes. A PRE text that is
// accepted is written in the form its record calls for and read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/document/pre_clause.h"
#include "fuzz/fuzz_support.h"

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    unsigned options = 0;
    zolt::ReadTagOptions(bytes, options);

    // The first byte says whether the record has code lines.
    zolt::ZoltRecord record;
    record.options = zolt::kPreOption;
    record.preText = bytes;
    if ((data[0] & 1) != 0) {
        record.lines.AppendLine("WAIT");
    }
    zolt::MessageId message = zolt::MessageId::None;
    if (!zolt::CheckPreClause(record, message)) {
        Check(message != zolt::MessageId::None);
        return 0;
    }
    Check(record.preText.has_value());
    const std::string line = zolt::PreLineForWriting(record);
    zolt::ZoltRecord again;
    again.options = zolt::kPreOption;
    again.preText = line;
    again.lines = record.lines;
    zolt::MessageId againMessage = zolt::MessageId::None;
    if (zolt::CheckPreClause(again, againMessage)) {
        Check(zolt::PreLineForWriting(again) == line);
    }
    return 0;
}
