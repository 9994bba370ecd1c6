// Feeds the virtual printer's command parser. Two kinds of input:
//   - first byte 0xFF: edits of a well-formed command area (the initial settings), as pairs of
//     (position, new byte) from the rest of the input, so that short runs already reach every
//     field of the format;
//   - anything else: the bytes themselves, as a command area.
// A refused command must leave the block alone and say where it failed; an accepted one must keep
// the header and every byte the command does not carry.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"
#include "tests/support/InitialCommand.h"

namespace {

void Check(const uint8_t* data, size_t size) {
    qmx::SettingsBlockBytes block = qmx::InitialBlock();
    block[21] |= 0x3C;
    block[40] = 0x77;
    const qmx::SettingsBlockBytes before = block;
    qmx::CommandError error;
    if (!qmx::ApplySettingsCommand(data, size, block, &error)) {
        if (block != before || error.reason.empty() || error.offset > size) std::abort();
        return;
    }
    if (size < qmx::kCommandLength || size > qmx::kCommandAreaMax) std::abort();
    if (data[0] != 0x1C || data[1] != 'o' || data[qmx::kCommandLength - 1] != '.') std::abort();
    if (block[0] != before[0] || block[1] != before[1] || block[40] != 0x77 || (block[21] & 0x3C) != 0x3C)
        std::abort();
    qmx::CommandValues values;
    if (!qmx::ParseSettingsCommand(data, size, values)) std::abort();
    if (qmx::DescribeCommand(values).size() != qmx::kCommandFieldCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0 && data[0] == 0xFF) {
        static const std::vector<uint8_t> base = qmxtest::InitialCommand();
        std::vector<uint8_t> area = base;
        for (size_t i = 1; i + 1 < size; i += 2) area[data[i] % area.size()] = data[i + 1];
        // The last odd byte, if any, chooses how much of the area is handed over.
        const size_t length = (size % 2 == 0) ? 195 + data[size - 1] % 66 : area.size();
        Check(area.data(), length);
        return 0;
    }
    Check(data, size);
    return 0;
}
