// The conversions and the file image of a logo, each on one logo or bitmap.

#include "conversion/BmpExport.h"
#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/MonoConversion.h"
#include "document/EpaFormat.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace kalvero {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t length) {
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return bytes;
}

// A tall logo with every cell and glyph line filled.
LogoDocument PatternLogo(bool tall = true) {
    LogoDocument logo;
    logo.openedFile("pattern.epa", Pattern(tall ? TallEpaLength : ShortEpaLength));
    return logo;
}

void BM_ConvertMonoBmp(benchmark::State& state) {
    const std::vector<std::uint8_t> bitmap = Pattern(MonoBmpTallLength);
    LogoDocument logo;
    for (auto _ : state) {
        ConvertMonoBmp(logo, bitmap, state.range(0) != 0);
        benchmark::DoNotOptimize(logo.epaImage().data());
    }
}
BENCHMARK(BM_ConvertMonoBmp)->ArgName("negative")->Arg(0)->Arg(1);

void BM_BuildEpa2Data(benchmark::State& state) {
    const std::vector<std::uint8_t> bitmap = Pattern(ColourBmpTallLength);
    const std::span<const std::uint8_t> file(bitmap);
    for (auto _ : state) {
        std::vector<std::uint8_t> image =
            BuildEpa2Data(file.subspan(BmpPaletteOffset, BmpPaletteLength),
                          file.subspan(ColourBmpPixelOffset), true);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_BuildEpa2Data);

void BM_WriteEpa(benchmark::State& state) {
    LogoDocument logo = PatternLogo(state.range(0) != 0);
    for (auto _ : state) {
        std::vector<std::uint8_t> file = WriteEpa(logo);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(BM_WriteEpa)->ArgName("tall")->Arg(0)->Arg(1);

void BM_MonoBmpFromLogo(benchmark::State& state) {
    const LogoDocument logo = PatternLogo();
    for (auto _ : state) {
        std::vector<std::uint8_t> bitmap = MonoBmpFromLogo(logo);
        benchmark::DoNotOptimize(bitmap.data());
    }
}
BENCHMARK(BM_MonoBmpFromLogo);

} // namespace
} // namespace kalvero

BENCHMARK_MAIN();
