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
        return Refusal("no room for a module header before the image's end");
    }
    ModuleHeader header;
    const std::string_view method = Method(image, offset);
    if (method == "-lh5-") {
        header.packing = Packing::Lh5;
    } else if (method == "-lh0-") {
        header.packing = Packing::Lh0;
    } else {
        return Refusal("no module header (no \"-lh5-\" or \"-lh0-\")");
    }
    const std::size_t size = image[offset];
    const std::size_t nameLength = image[offset + NameLengthOffset];
    if (size != FixedHeaderSize + nameLength) {
        return Refusal("header size " + std::to_string(size) + " does not fit a name of " +
                       std::to_string(nameLength) + " bytes");
    }
    header.headerLength = size + 2;
    if (image.size() - offset < header.headerLength) {
        return Refusal("module header cut short by the image's end");
    }
    const auto bytes = image.subspan(offset, header.headerLength);
    if (bytes[AttributeOffset] != Attribute || bytes[LevelOffset] != Level ||
        bytes[NameOffset + nameLength + 2] != OsByte) {
        return Refusal("module header of another kind (attribute " +
                       Hex(bytes[AttributeOffset], 2) + ", level " +
                       std::to_string(bytes[LevelOffset]) + ", OS byte " +
                       Hex(bytes[NameOffset + nameLength + 2], 2) + ")");
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
        return Refusal("packed size " + std::to_string(header.packedSize) +
                       " runs past the image's end");
    }
    std::size_t next = ReadWord(bytes, header.headerLength - 2);
    while (next != 0) {
        if (next < SmallestExtension || next > header.packedSize - header.extensionLength) {
            return Refusal("extension header of " + std::to_string(next) +
                           " bytes that does not fit the module");
        }
        header.extensionLength += next;
        next = ReadWord(image, offset + header.headerLength + header.extensionLength - 2);
    }
    if (header.packing == Packing::Lh0 && header.dataLength() != header.originalSize) {
        return Refusal("stored module whose packed size " + std::to_string(header.dataLength()) +
                       " differs from its original size " + std::to_string(header.originalSize));
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
