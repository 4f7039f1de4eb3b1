#pragma once

#include "base/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace kalvero {

enum class FileType { EpaLogo, Epa2Image, Bitmap, NotAccepted };

// What a file is for this program, as far as its length and first bytes tell.
struct FileKind {
    FileType type = FileType::NotAccepted;
    std::uint64_t length = 0;
    int width = 0;
    int height = 0;
    int colours = 0; // 16 for an EPA logo, 16 or 256 for EPA 2.0, 2 or 16 for a bitmap
    Reason reason;   // why it is not accepted
    // False for an EPA 2.0 image of 16 colours without the palette block: the
    // header and the four bit planes, shown in the standard VGA colours.
    bool ownPalette = true;
};

// How many first bytes ClassifyFile looks at.
inline constexpr std::size_t FileHeadLength = 8;

// The length alone decides for the four accepted bitmaps, as it does in the
// editor, and for EPA version-1 logos, whose count bytes must fit it (head
// holds them); any other file is an EPA 2.0 image when its header's
// width and height give exactly its length in one of the two variants. head
// holds the file's first bytes (up to FileHeadLength).
FileKind ClassifyFile(std::uint64_t length, std::span<const std::uint8_t> head);

// True when ClassifyFile needs no byte of a file of this length.
bool KnownByLength(std::uint64_t length);

// ClassifyFile for a file on disk: reads at most its first FileHeadLength
// bytes, and none when the length decides, so a huge file costs nothing.
FileResult<FileKind> ProbeFile(const std::filesystem::path& path);

// One line for a person: "EPA version 1, tall logo, 136 x 126",
// "EPA 2.0, 8-bit (256 colours), 320 x 200", "EPA 2.0, 4-bit (16 standard VGA
// colours, no palette), 640 x 464", "bitmap, 2 colours, 136 x 84" or
// "not accepted: " and the reason.
Reason DescribeFileKind(const FileKind& kind);

} // namespace kalvero
