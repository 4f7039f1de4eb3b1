// Award images: walking one and unpacking every module, and a whole logo
// replacement with its proof, on a synthetic 256 KiB image and, when
// KALVERO_BIOS_SAMPLES names their folder, on each real image in it.

#include "bios/ImageInspection.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kalvero::bios {
namespace {

// A 256 KiB split image: a system module of 128 KiB that packs to about 40 %
// (every eighth byte noise), the logo and three more modules.
std::vector<std::uint8_t> SyntheticImage() {
    test::TestImage recipe = test::LayoutB(false);
    test::TestModule& system = recipe.chains[1].modules[0];
    const std::vector<std::uint8_t> noise = test::Noise(0x20000, 1);
    system.data = test::Pattern(0x20000, 1);
    for (std::size_t i = 0; i < system.data.size(); i += 8) {
        system.data[i] = noise[i];
    }
    recipe.chains[0].modules.push_back(test::PackedModule(0x6000, 0x4100, "awardext.rom"));
    return test::Build(recipe).bytes;
}

void Inspect(benchmark::State& state, const std::vector<std::uint8_t>& image) {
    for (auto _ : state) {
        FileResult<ImageInspection> inspection = InspectAwardImage(image);
        if (!inspection) {
            state.SkipWithError(inspection.error().reason.c_str());
            return;
        }
        benchmark::DoNotOptimize(inspection.value().contents.data());
    }
}

// The image's logo put back in: everything a replacement does, the proof
// included, whatever the logo.
void Replace(benchmark::State& state, const std::vector<std::uint8_t>& image) {
    const FileResult<std::vector<std::uint8_t>> logo = ExtractLogo(image, LogoPlace::Boot);
    if (!logo) {
        state.SkipWithError(logo.error().reason.c_str());
        return;
    }
    for (auto _ : state) {
        FileResult<Replacement> replaced = ReplaceLogo(image, logo.value(), LogoPlace::Boot);
        if (!replaced) {
            state.SkipWithError(replaced.error().reason.c_str());
            return;
        }
        benchmark::DoNotOptimize(replaced.value().image.data());
    }
}

void Register(const std::string& name, std::vector<std::uint8_t> image) {
    benchmark::RegisterBenchmark(("Inspect/" + name).c_str(), Inspect, image)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Replace/" + name).c_str(), Replace, std::move(image))
        ->Unit(benchmark::kMillisecond);
}

} // namespace
} // namespace kalvero::bios

int main(int argc, char** argv) {
    kalvero::bios::Register("synthetic", kalvero::bios::SyntheticImage());
    if (const char* folder = std::getenv("KALVERO_BIOS_SAMPLES"); folder != nullptr && *folder) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".md") {
                continue;
            }
            std::ifstream in(entry.path(), std::ios::binary);
            kalvero::bios::Register(entry.path().filename().string(),
                                    {std::istreambuf_iterator<char>(in), {}});
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
