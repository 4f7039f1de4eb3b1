#pragma once

#include "picture/PictureDecoding.h"
#include "picture/PictureModuleAbi.h"

#include <filesystem>
#include <string>

namespace kalvero {

// The picture module, loaded from a file and never unloaded (Qt cannot be
// unloaded). A module that cannot be loaded turns every decode into an error
// that says why.
class PictureModule {
public:
    explicit PictureModule(const std::filesystem::path& file);

    FileResult<DecodedPicture> decode(std::span<const std::uint8_t> file) const;

private:
    KalveroPictureDecodeFunction decode_ = nullptr;
    Reason problem_;
};

} // namespace kalvero
