#pragma once

#include <cstdint>

namespace kalvero {

// What reading one picture may cost. `kalvero-cli import --help` and
// docs/import.md state the same numbers.

// Longer picture files are not read: Qt keeps some of their metadata (TIFF
// tags, Exif, colour profiles) in memory twice over.
inline constexpr std::uint64_t MaxPictureLength = 48 * 1024 * 1024;

// The most memory a picture may take once decoded. Qt is held to it for every
// image it makes while reading, pictures embedded in others too.
inline constexpr int MaxDecodedMebibytes = 128;

// Qt keeps every element of an SVG drawing in memory (a path costs about
// 4 KB), so drawings are limited in length (after unpacking .svgz) and in
// elements.
inline constexpr std::uint64_t MaxSvgLength = 4 * 1024 * 1024;
inline constexpr int MaxSvgElements = 25000;

// A picture is handed on at no more than this many times the tall logo's size
// each way when it has that much detail: more only costs time and memory.
inline constexpr int EnoughDetail = 8;
// ... and with no side longer than this, whatever its shape.
inline constexpr int MaxPictureSide = 8192;

} // namespace kalvero
