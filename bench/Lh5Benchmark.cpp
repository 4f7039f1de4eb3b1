// The LH5 codec: decoding and packing our sample logos and, when
// KALVERO_BIOS_SAMPLES names a folder of real BIOS images, every module of
// each image. For those it first prints what our packing of each image's logo
// takes against the BIOS maker's.

#include "LhaSamples.h"
#include "lh5/Crc16.h"
#include "lh5/Lh5Decoder.h"
#include "lh5/Lh5Encoder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kalvero::lh5 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SampleFile(const char* name) {
    std::ifstream file(std::string(KALVERO_SAMPLES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void Encode(benchmark::State& state, const Bytes& data) {
    for (auto _ : state) {
        Bytes packed = EncodeLh5(data);
        benchmark::DoNotOptimize(packed.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}

// Each packed module with the size it decodes to.
void Decode(benchmark::State& state, const std::vector<std::pair<Bytes, std::size_t>>& modules) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const auto& [packed, size] : modules) {
            FileResult<Bytes> data = DecodeLh5(packed, size);
            benchmark::DoNotOptimize(data.value().data());
        }
    }
    for (const auto& module : modules) {
        bytes += module.second;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void RegisterOurSamples() {
    std::printf("Our sample logos, packed by us\n%-24s %8s %8s\n", "logo", "bytes", "ours");
    for (const char* name : {"kalvero.epa", "kalvero-16.bmp"}) {
        const Bytes data = SampleFile(name);
        std::printf("%-24s %8zu %8zu\n", name, data.size(), EncodeLh5(data).size());
        benchmark::RegisterBenchmark((std::string("BM_EncodeLh5/") + name).c_str(),
                                     [data](benchmark::State& state) { Encode(state, data); });
        const std::vector<std::pair<Bytes, std::size_t>> modules{{EncodeLh5(data), data.size()}};
        benchmark::RegisterBenchmark(
            (std::string("BM_DecodeLh5/") + name).c_str(),
            [modules](benchmark::State& state) { Decode(state, modules); });
    }
}

// Prints the logo sizes and registers the image's benchmarks; false when a
// module does not decode to its CRC.
bool MeasureImage(const bench::SampleImage& image, std::size_t& makers, std::size_t& ours) {
    std::vector<std::pair<Bytes, std::size_t>> modules;
    Bytes logo;
    std::size_t logoPacked = 0;
    bool good = true;
    for (const bench::SampleModule& module : image.modules) {
        if (module.method != "-lh5-") {
            continue;
        }
        const Bytes packed(image.packed(module).begin(), image.packed(module).end());
        const FileResult<Bytes> data = DecodeLh5(packed, module.originalSize);
        if (!data.ok() || Crc16(data.value()) != module.crc) {
            std::printf("%s: the module at 0x%zx does not decode to its CRC\n", image.name.c_str(),
                        module.offset);
            good = false;
            continue;
        }
        modules.emplace_back(packed, module.originalSize);
        if (module.type == bench::LogoModuleType) {
            logo = data.value();
            logoPacked = module.packedSize;
        }
    }
    const Bytes ourLogo = EncodeLh5(logo);
    const FileResult<Bytes> back = DecodeLh5(ourLogo, logo.size());
    good = good && back.ok() && back.value() == logo;
    std::printf("%-24s %8zu %8zu %8zu %9.2f%% %8zu\n", image.name.c_str(), logo.size(), logoPacked,
                ourLogo.size(),
                100.0 * static_cast<double>(ourLogo.size()) / static_cast<double>(logoPacked),
                modules.size());
    makers += logoPacked;
    ours += ourLogo.size();
    benchmark::RegisterBenchmark(("BM_DecodeImageModules/" + image.name).c_str(),
                                 [modules](benchmark::State& state) { Decode(state, modules); });
    benchmark::RegisterBenchmark(("BM_EncodeImageLogo/" + image.name).c_str(),
                                 [logo](benchmark::State& state) { Encode(state, logo); });
    return good;
}

bool RegisterBiosSamples() {
    const std::filesystem::path folder = bench::SampleFolder();
    if (folder.empty()) {
        std::printf("KALVERO_BIOS_SAMPLES is not set: no real BIOS images measured\n");
        return true;
    }
    std::printf("Logos of the images in %s, packed by the BIOS maker and by us\n",
                folder.string().c_str());
    std::printf("%-24s %8s %8s %8s %10s %8s\n", "image", "logo", "maker", "ours", "ours/maker",
                "modules");
    std::size_t makers = 0;
    std::size_t ours = 0;
    bool good = true;
    for (const bench::SampleImage& image : bench::LoadSampleImages(folder)) {
        good = MeasureImage(image, makers, ours) && good;
    }
    std::printf("%-24s %8s %8zu %8zu %9.2f%%\n\n", "all logos", "", makers, ours,
                100.0 * static_cast<double>(ours) / static_cast<double>(makers));
    return good;
}

} // namespace
} // namespace kalvero::lh5

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    kalvero::lh5::RegisterOurSamples();
    const bool good = kalvero::lh5::RegisterBiosSamples();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return good ? 0 : 1;
}
