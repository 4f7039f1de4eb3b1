#pragma once

#include "bios/ImageInspection.h"
#include "cli/InputArgument.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero::cli {

class Console;

// An Award BIOS image named on the command line, read whole; a file of
// another size than the images Kalvero knows is refused unread.
FileResult<std::vector<std::uint8_t>> ReadImage(InputArgument& image);

// ReadImage, then walked and every module unpacked.
FileResult<bios::ImageInspection> InspectImage(InputArgument& image);

// "FILE: first line", then the other lines indented.
void PrintReport(Console& console, std::string_view file, const std::vector<std::string>& lines);

} // namespace kalvero::cli
