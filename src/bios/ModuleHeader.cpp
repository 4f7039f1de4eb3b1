#include "bios/ModuleHeader.h"

#include "bios/ImageBytes.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

constexpr std::size_t MethodOffset = 2;
constexpr std::size_t PackedSizeOffset = 7;
constexpr std::size_t OriginalSizeOffset = 11;
constexpr std::size_t LoadOffsetOffset = 15;
constexpr std::size_t TypeOffset = 17;
constexpr std::size_t AttributeOffset = 19;
constexpr std::size_t LevelOffset = 20;
constexpr std::size_t NameLengthOffset = 21;
constexpr std::size_t NameOffset = 22;
// Header size H = 25 + name length: CRC, OS byte and extension size follow the name.
constexpr std::size_t FixedHeaderSize = 25;
constexpr std::uint8_t Attribute = 0x20;
constexpr std::uint8_t Level = 1;
constexpr std::uint8_t OsByte = 0x20;
// An extension header: its size word counts its type byte, its data and the
// size word of the next one.
constexpr std::size_t SmallestExtension = 3;

std::string_view Method(std::span<const std::uint8_t> image, std::size_t offset) {
    return {reinterpret_cast<const char*>(image.data() + offset + MethodOffset), 5};
}

} // namespace

std::string ModuleHeader::printableName() const {
    std::string text = name.substr(0, name.find('\0'));
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return text;
}

FileResult<ModuleHeader> ReadModuleHeader(std::span<const std::uint8_t> image, std::size_t offset) {
    if (offset >= image.size() || image.size() - offset < NameOffset) {
        return Refusal(Reason::of<"no room for a module header before the image's end",
                                  "kein Platz für einen Modulkopf vor dem Ende des Abbilds">());
    }
    ModuleHeader header;
    const std::string_view method = Method(image, offset);
    if (method == "-lh5-") {
        header.packing = Packing::Lh5;
    } else if (method == "-lh0-") {
        header.packing = Packing::Lh0;
    } else {
        return Refusal(Reason::of<"no module header (no \"-lh5-\" or \"-lh0-\")",
                                  "kein Modulkopf (kein \"-lh5-\" oder \"-lh0-\")">());
    }
    const std::size_t size = image[offset];
    const std::size_t nameLength = image[offset + NameLengthOffset];
    if (size != FixedHeaderSize + nameLength) {
        return Refusal(Reason::of<"header size {} does not fit a name of {} bytes",
                                  "die Kopfgröße {} passt nicht zu einem Namen von {} Bytes">(
            size, nameLength));
    }
    header.headerLength = size + 2;
    if (image.size() - offset < header.headerLength) {
        return Refusal(Reason::of<"module header cut short by the image's end",
                                  "Modulkopf vom Ende des Abbilds abgeschnitten">());
    }
    const auto bytes = image.subspan(offset, header.headerLength);
    if (bytes[AttributeOffset] != Attribute || bytes[LevelOffset] != Level ||
        bytes[NameOffset + nameLength + 2] != OsByte) {
        return Refusal(Reason::of<"module header of another kind (attribute {}, level {}, OS byte "
                                  "{})",
                                  "Modulkopf einer anderen Art (Attribut {}, Stufe {}, OS-Byte "
                                  "{})">(Hex(bytes[AttributeOffset], 2), bytes[LevelOffset],
                                         Hex(bytes[NameOffset + nameLength + 2], 2)));
    }
    header.storedSum = bytes[1];
    header.computedSum = ByteSum(bytes.subspan(2));
    header.packedSize = ReadLong(bytes, PackedSizeOffset);
    header.originalSize = ReadLong(bytes, OriginalSizeOffset);
    header.loadOffset = ReadWord(bytes, LoadOffsetOffset);
    header.type = ReadWord(bytes, TypeOffset);
    header.name.assign(reinterpret_cast<const char*>(bytes.data() + NameOffset), nameLength);
    header.crc = ReadWord(bytes, NameOffset + nameLength);

    const std::size_t available = image.size() - offset - header.headerLength;
    if (header.packedSize > available) {
        return Refusal(Reason::of<"packed size {} runs past the image's end",
                                  "die gepackte Größe {} reicht über das Ende des Abbilds "
                                  "hinaus">(header.packedSize));
    }
    std::size_t next = ReadWord(bytes, header.headerLength - 2);
    while (next != 0) {
        if (next < SmallestExtension || next > header.packedSize - header.extensionLength) {
            return Refusal(Reason::of<"extension header of {} bytes that does not fit the module",
                                      "Erweiterungskopf von {} Bytes, der nicht in das Modul "
                                      "passt">(next));
        }
        header.extensionLength += next;
        next = ReadWord(image, offset + header.headerLength + header.extensionLength - 2);
    }
    if (header.packing == Packing::Lh0 && header.dataLength() != header.originalSize) {
        return Refusal(Reason::of<"stored module whose packed size {} differs from its original "
                                  "size {}",
                                  "ungepacktes Modul, dessen gepackte Größe {} von seiner "
                                  "ursprünglichen Größe {} abweicht">(header.dataLength(),
                                                                      header.originalSize));
    }
    return header;
}

std::vector<std::uint8_t> RewriteModuleHeader(std::span<const std::uint8_t> header,
                                              std::uint32_t packedSize, std::uint32_t originalSize,
                                              std::uint16_t crc) {
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    WriteLong(bytes, PackedSizeOffset, packedSize);
    WriteLong(bytes, OriginalSizeOffset, originalSize);
    WriteWord(bytes, NameOffset + bytes[NameLengthOffset], crc);
    bytes[1] = ByteSum(std::span(bytes).subspan(2));
    return bytes;
}

} // namespace kalvero::bios
