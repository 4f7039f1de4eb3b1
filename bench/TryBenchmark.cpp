// kalvero-cli bios try to its verdict: an image's own BIOS booted in QEMU
// until its logo is on the screen, on the real images that boot there, when
// KALVERO_BIOS_SAMPLES names their folder and QEMU is installed.
#include "qemu/BootTrial.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kalvero::qemu {
namespace {

constexpr const char* BootingImages[] = {"430vx_55XWUQ0E.BIN", "kn97_0116I.001",
                                         "fmb_P5I437FM.BIN"};

void Try(benchmark::State& state, const std::vector<std::uint8_t>& image) {
    for (auto _ : state) {
        const TrialResult result = TryBoot(image, PlanTrial(image), {});
        if (result.verdict != TrialVerdict::Drawn) {
            state.SkipWithError(DescribeTrial(PlanTrial(image), result).front().c_str());
            return;
        }
    }
}

} // namespace
} // namespace kalvero::qemu

int main(int argc, char** argv) {
    const char* folder = std::getenv("KALVERO_BIOS_SAMPLES");
    for (const char* name : kalvero::qemu::BootingImages) {
        if (folder == nullptr || *folder == '\0' || !kalvero::qemu::QemuMissing().empty()) {
            break;
        }
        std::ifstream in(std::filesystem::path(folder) / name, std::ios::binary);
        benchmark::RegisterBenchmark(
            (std::string("Try/") + name).c_str(), kalvero::qemu::Try,
            std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}})
            ->Unit(benchmark::kSecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
