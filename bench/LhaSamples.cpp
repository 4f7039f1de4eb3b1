#include "LhaSamples.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace kalvero::bench {
namespace {

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int length) {
    std::uint32_t value = 0;
    for (int i = length; i-- > 0;) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// The module whose header starts at offset, if one does.
bool ReadModule(std::span<const std::uint8_t> image, std::size_t offset, SampleModule& module) {
    constexpr std::size_t NameLengthAt = 21;
    if (offset + NameLengthAt + 1 > image.size()) {
        return false;
    }
    const std::size_t headerSize = image[offset];
    const std::size_t nameLength = image[offset + NameLengthAt];
    const auto method = reinterpret_cast<const char*>(image.data() + offset + 2);
    if ((std::memcmp(method, "-lh5-", 5) != 0 && std::memcmp(method, "-lh0-", 5) != 0) ||
        headerSize != 25 + nameLength || offset + headerSize + 2 > image.size()) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = offset + 2; i < offset + headerSize + 2; ++i) {
        sum += image[i];
    }
    if ((sum & 0xFF) != image[offset + 1]) {
        return false;
    }
    module.offset = offset;
    module.method.assign(method, 5);
    module.packedSize = Little(image, offset + 7, 4);
    module.originalSize = Little(image, offset + 11, 4);
    module.type = static_cast<std::uint16_t>(Little(image, offset + 17, 2));
    module.crc = static_cast<std::uint16_t>(Little(image, offset + 22 + nameLength, 2));
    module.dataOffset = offset + headerSize + 2;
    return module.packedSize <= image.size() - module.dataOffset;
}

} // namespace

std::filesystem::path SampleFolder() {
    const char* folder = std::getenv("KALVERO_BIOS_SAMPLES");
    return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::path();
}

std::vector<SampleImage> LoadSampleImages(const std::filesystem::path& folder) {
    std::vector<SampleImage> images;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") {
            continue;
        }
        SampleImage image;
        image.name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        image.bytes.assign(std::istreambuf_iterator<char>(file), {});
        for (std::size_t offset = 0; offset < image.bytes.size();) {
            SampleModule module;
            if (!ReadModule(image.bytes, offset, module)) {
                ++offset;
                continue;
            }
            offset = module.dataOffset + module.packedSize;
            image.modules.push_back(std::move(module));
        }
        images.push_back(std::move(image));
    }
    std::sort(images.begin(), images.end(),
              [](const SampleImage& a, const SampleImage& b) { return a.name < b.name; });
    return images;
}

} // namespace kalvero::bench
