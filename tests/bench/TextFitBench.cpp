// The ellipsis walk that shortens the model and port lines on every paint of the panel, with a
// measurer that costs what a per-character width table costs (a walk over the bytes).
#include <benchmark/benchmark.h>

#include <string>

#include "base/Text.h"
#include "panel/TextFit.h"

namespace {

bool TableWidth(const char* text, size_t length, int32_t* width) {
    int32_t total = 0;
    for (size_t i = 0; i < length;) {
        const bool wide = IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
        total += wide ? 12 : 6;
        i += wide ? 2 : 1;
    }
    *width = total;
    return true;
}

// A double-byte text of `characters` characters ("プ", 83 76 in CP932) cut to half its width.
void BM_FitDoubleByteTextToHalfItsWidth(benchmark::State& state) {
    const auto characters = static_cast<size_t>(state.range(0));
    std::string text;
    for (size_t i = 0; i < characters; ++i) text += "\x83\x76";
    const int32_t width = static_cast<int32_t>(characters) * 6;
    char out[1024];
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            FitTextWalk(width, text.c_str(), "...", out, sizeof out, TableWidth, NextCp932Character));
    }
    state.SetComplexityN(static_cast<int64_t>(characters));
}
BENCHMARK(BM_FitDoubleByteTextToHalfItsWidth)->RangeMultiplier(2)->Range(8, 256)->Complexity();

// A text that fits: two measurements at most, whatever its length.
void BM_FitTextThatFits(benchmark::State& state) {
    const std::string text(static_cast<size_t>(state.range(0)), 'N');
    char out[1024];
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            FitTextWalk(1 << 20, text.c_str(), "...", out, sizeof out, TableWidth, NextCp932Character));
    }
}
BENCHMARK(BM_FitTextThatFits)->Arg(20)->Arg(255);

}  // namespace
