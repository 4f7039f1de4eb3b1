#pragma once

#include "conversion/FileKind.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// What kalvero-cli info tells of a file: its kind and what a person should
// know beside it.
struct FileInspection {
    FileKind kind;
    // EPA version 1: cells the PC shows with a background colour.
    int backgroundCells = 0;
    // Accepted bitmaps: where the header contradicts the layout they are read
    // as; 16-colour EPA 2.0 images: pixels in palette entry 6.
    std::vector<std::string> warnings;
};

// True for the kinds InspectFile reads whole: EPA version-1 logos and
// accepted bitmaps, a few kilobytes at most, and 16-colour EPA 2.0 images.
bool NeedsWholeFile(const FileKind& kind);

// kind is ClassifyFile's; bytes the whole file when NeedsWholeFile(kind),
// else not used.
FileInspection InspectFile(const FileKind& kind, std::span<const std::uint8_t> bytes);

// DescribeFileKind, and for a logo with background colours how many cells
// have one.
std::string DescribeInspection(const FileInspection& inspection);

} // namespace kalvero
