#pragma once

#include "base/FileResult.h"
#include "cli/ArgumentParser.h"
#include "cli/InputArgument.h"
#include "cli/Option.h"
#include "conversion/import/PictureImport.h"
#include "picture/PictureDecoding.h"

#include <optional>
#include <string>

namespace kalvero::cli {

// How a picture is made into a logo, for import and bios replace alike.
inline constexpr Option FitOption{0, "fit", "",
                                  "Show the whole picture in its shape, black bars\n"
                                  "where it does not reach (default)"};
inline constexpr Option FillOption{0, "fill", "",
                                   "Cover the whole logo in the picture's shape,\n"
                                   "cutting off what stands out"};
inline constexpr Option StretchOption{0, "stretch", "", "Stretch the picture over the whole logo"};
inline constexpr Option DitherOption{0, "dither", "MODE",
                                     "none, ordered or diffusion (default: diffusion for\n"
                                     "pictures of more than 256 colours, else none)"};
inline constexpr Option InvertOption{0, "invert", "",
                                     "Use the picture's negative (for dark drawings\n"
                                     "on white; logos show on black)"};
inline constexpr Option AllColorsOption{0, "all-16-colors", "",
                                        "With --colors16 or --full-screen: use palette\n"
                                        "entry 6 too, which some boards show in another\n"
                                        "entry's colour"};

inline constexpr Option NoShrinkOption{0, "no-shrink", "",
                                       "Refuse a logo that does not fit its room as asked,\n"
                                       "saying by how many bytes, instead of giving up\n"
                                       "detail until it fits"};

// --fit, --fill or --stretch, --invert and --dither into settings, or what is
// wrong with them.
std::optional<std::string> TakePictureLook(const ArgumentParser& arguments,
                                           ImportSettings& settings);

// A picture file decoded, or why not: at most MaxPictureLength bytes are read.
FileResult<DecodedPicture> ReadPicture(InputArgument& input);

} // namespace kalvero::cli
