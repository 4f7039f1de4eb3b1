// Award images: walking one and unpacking every module, and a whole logo
// replacement with its proof, on a synthetic 256 KiB image and, when
// KALVERO_BIOS_SAMPLES names their folder, on each real image in it.

#include "bios/ImageInspection.h"
#include "bios/LogoFitting.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
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
            state.SkipWithError(inspection.error().reason.english().c_str());
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
        state.SkipWithError(logo.error().reason.english().c_str());
        return;
    }
    for (auto _ : state) {
        FileResult<Replacement> replaced = ReplaceLogo(image, logo.value(), LogoPlace::Boot);
        if (!replaced) {
            state.SkipWithError(replaced.error().reason.english().c_str());
            return;
        }
        benchmark::DoNotOptimize(replaced.value().image.data());
    }
}

// A photograph's worth of detail at 640 x 480: smooth shapes of many colours
// with grain over them, so that import dithers it by diffusion.
RgbImage Photo() {
    RgbImage photo{640, 480, {}};
    const std::vector<std::uint8_t> grain = test::Noise(640 * 480, 7);
    for (int y = 0; y < photo.height; ++y) {
        for (int x = 0; x < photo.width; ++x) {
            const auto channel = [&](double phase) {
                const double wave = std::sin(x / 53.0 + phase) * std::cos(y / 41.0 - phase);
                const int noise = grain[static_cast<std::size_t>(y * 640 + x)] % 25 - 12;
                return static_cast<std::uint8_t>(
                    std::clamp(static_cast<int>(128 + 110 * wave) + noise, 0, 255));
            };
            photo.pixels.push_back({channel(0), channel(2), channel(4)});
        }
    }
    return photo;
}

// bios replace --full-screen of a photo into the tightest room measured in a
// real image (791 bytes for a 640 x 479 logo), the decoding aside: the logo
// made and fitted, then the whole replacement with its proof.
void FitPhoto(benchmark::State& state) {
    const RgbImage photo = Photo();
    const std::vector<std::uint8_t> image =
        test::Build(test::LayoutA({test::Epa2Logo(640, 479, 1)})).bytes;
    ImportSettings settings;
    settings.target = ImportTarget::FullScreen;
    settings.fullScreenHeight = 479;
    for (auto _ : state) {
        const FileResult<FittedLogo> fitted = FitLogo(photo, settings, 791, true);
        if (!fitted) {
            state.SkipWithError(fitted.error().reason.english().c_str());
            return;
        }
        state.SetLabel(fitted.value().note.english());
        FileResult<Replacement> replaced =
            ReplaceLogo(image, fitted.value().logo, LogoPlace::FullScreen);
        benchmark::DoNotOptimize(replaced.ok());
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
    benchmark::RegisterBenchmark("FitPhoto/640x479, 791 bytes", kalvero::bios::FitPhoto)
        ->Unit(benchmark::kMillisecond);
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
