// Cost of one read-modify-write cycle of the settings: decoding the 260-byte block, building the
// block from the record, encoding the command, and all three together; copying 260 bytes is the
// baseline measured in the same run.
#include <benchmark/benchmark.h>
#include <string.h>

#include "settings/SettingsCommand.h"

namespace {

// A block as the printer sends it: initial values, two feed distances outside their lists.
SettingsBlock PrinterBlock() {
    PanelSettingsRecord record;
    LoadInitialSettings(record);
    int32_t slots[FeedPosOtherCount] = {};
    record.FeedPosCutSheet = FeedOtherIndex(FeedListB);
    slots[FeedPosOtherSlot(FeedGroupCurrent, FeedPathCutSheet)] = 77;
    record.Forms[2].FeedPosContFront = FeedOtherIndex(FeedListA);
    slots[FeedPosOtherSlot(FeedGroupForm(2), FeedPathContFront)] = 100;
    SettingsBlock block = BuildSettingsBlock(record, slots);
    block.Bytes[0] = 1;
    block.Bytes[1] = 4;
    return block;
}

void BM_CopyBlock(benchmark::State& state) {
    const SettingsBlock source = PrinterBlock();
    SettingsBlock copy;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&source);
        memcpy(&copy, &source, sizeof copy);
        benchmark::DoNotOptimize(&copy);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyBlock);

void BM_Decode(benchmark::State& state) {
    const SettingsBlock block = PrinterBlock();
    PanelSettingsRecord record;
    int32_t slots[FeedPosOtherCount];
    for (auto _ : state) {
        benchmark::DoNotOptimize(&block);
        benchmark::DoNotOptimize(DecodeBlockBytes(block, record, slots));
        benchmark::DoNotOptimize(&record);
        benchmark::DoNotOptimize(slots);
    }
}
BENCHMARK(BM_Decode);

void BM_Build(benchmark::State& state) {
    PanelSettingsRecord record;
    int32_t slots[FeedPosOtherCount];
    DecodeBlockBytes(PrinterBlock(), record, slots);
    for (auto _ : state) {
        benchmark::DoNotOptimize(&record);
        SettingsBlock block = BuildSettingsBlock(record, slots);
        benchmark::DoNotOptimize(&block);
    }
}
BENCHMARK(BM_Build);

void BM_Encode(benchmark::State& state) {
    SettingsBlock block = PrinterBlock();
    SettingsCommand command;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&block);
        benchmark::DoNotOptimize(EncodeSettingsCommand(block, &command));
        benchmark::DoNotOptimize(&command);
    }
}
BENCHMARK(BM_Encode);

void BM_DecodeBuildEncode(benchmark::State& state) {
    const SettingsBlock input = PrinterBlock();
    PanelSettingsRecord record;
    int32_t slots[FeedPosOtherCount];
    SettingsCommand command;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&input);
        DecodeBlockBytes(input, record, slots);
        benchmark::DoNotOptimize(EncodeSettingsCommand(BuildSettingsBlock(record, slots), &command));
        benchmark::DoNotOptimize(&command);
    }
}
BENCHMARK(BM_DecodeBuildEncode);

}  // namespace
