// Feeds any bytes to the virtual printer's command parser. A refused command must leave the block
// alone; an accepted one must keep the header and every byte the command does not carry.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "qmx/CommandParser.h"
#include "qmx/PrinterRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qmx::SettingsBlockBytes block = qmx::InitialBlock();
  block[21] |= 0x3C;
  block[40] = 0x77;
  const qmx::SettingsBlockBytes before = block;
  qmx::CommandError error;
  const bool ok = qmx::ApplySettingsCommand(data, size, block, &error);
  if (!ok) {
    if (block != before || error.reason.empty() || error.offset > size) std::abort();
    return 0;
  }
  if (size < qmx::kCommandLength || size > qmx::kCommandAreaMax) std::abort();
  if (data[0] != 0x1C || data[1] != 'o' || data[qmx::kCommandLength - 1] != '.') std::abort();
  if (block[0] != before[0] || block[1] != before[1] || block[40] != 0x77 || (block[21] & 0x3C) != 0x3C)
    std::abort();
  qmx::CommandValues values;
  if (!qmx::ParseSettingsCommand(data, size, values)) std::abort();
  if (qmx::DescribeCommand(values).size() != qmx::kCommandFieldCount) std::abort();
  return 0;
}
