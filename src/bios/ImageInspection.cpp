#include "bios/ImageInspection.h"

#include "bios/ImageBytes.h"
#include "bios/ImageParser.h"
#include "lh5/Crc16.h"
#include "lh5/Lh5Decoder.h"

namespace kalvero::bios {

ModuleContent UnpackModule(std::span<const std::uint8_t> bytes, const Module& module) {
    const auto packed =
        bytes.subspan(module.offset + module.header.dataOffset(), module.header.dataLength());
    ModuleContent content;
    if (module.header.originalSize > MaxOriginalSize) {
        content.problem = "claims to unpack to " + std::to_string(module.header.originalSize) +
                          " bytes, more than the 1 MiB a BIOS unpacks to";
        return content;
    }
    if (module.header.packing == Packing::Lh0) {
        content.data.assign(packed.begin(), packed.end());
    } else {
        FileResult<std::vector<std::uint8_t>> unpacked =
            lh5::DecodeLh5(packed, module.header.originalSize);
        if (!unpacked) {
            content.problem = "does not unpack: " + unpacked.error().reason;
            return content;
        }
        content.data = std::move(unpacked).value();
    }
    const std::uint16_t crc = lh5::Crc16(content.data);
    if (crc != module.header.crc) {
        content.problem = "unpacks to data with the CRC " + Hex(crc, 4) +
                          ", where its header says " + Hex(module.header.crc, 4);
    }
    return content;
}

FileResult<ImageInspection> InspectAwardImage(std::span<const std::uint8_t> bytes) {
    FileResult<AwardImage> image = ParseAwardImage(bytes);
    if (!image) {
        return image.error();
    }
    ImageInspection inspection{std::move(image).value(), {}};
    inspection.contents.reserve(inspection.image.modules.size());
    for (const Module& module : inspection.image.modules) {
        inspection.contents.push_back(UnpackModule(bytes, module));
    }
    return inspection;
}

} // namespace kalvero::bios
