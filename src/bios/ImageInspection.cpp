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
        content.problem = Reason::of<"claims to unpack to {} bytes, more than the 1 MiB a BIOS "
                                     "unpacks to",
                                     "gibt vor, sich zu {} Bytes zu entpacken, mehr als das 1 MiB, "
                                     "das ein BIOS entpackt">(module.header.originalSize);
        return content;
    }
    if (module.header.packing == Packing::Lh0) {
        content.data.assign(packed.begin(), packed.end());
    } else {
        FileResult<std::vector<std::uint8_t>> unpacked =
            lh5::DecodeLh5(packed, module.header.originalSize);
        if (!unpacked) {
            content.problem = Reason::of<"does not unpack: {}", "lässt sich nicht entpacken: {}">(
                unpacked.error().reason);
            return content;
        }
        content.data = std::move(unpacked).value();
    }
    const std::uint16_t crc = lh5::Crc16(content.data);
    if (crc != module.header.crc) {
        content.problem = Reason::of<"unpacks to data with the CRC {}, where its header says {}",
                                     "entpackt sich zu Daten mit der CRC {}, wo sein Kopf {} "
                                     "sagt">(Hex(crc, 4), Hex(module.header.crc, 4));
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
