#include "document/ImageNames.h"

#include "document/FileNames.h"

#include <algorithm>
#include <cctype>

namespace kalvero {

std::string NewImageName(const std::string& imagePath) {
    const std::string title = FileTitle(imagePath);
    const std::string::size_type point = title.rfind('.');
    const std::string::size_type at =
        imagePath.size() - title.size() + (point == std::string::npos ? title.size() : point);
    return imagePath.substr(0, at) + "-new" + imagePath.substr(at);
}

namespace {

bool EndsInEpa(const std::string& path) {
    std::string end = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return end == ".epa";
}

} // namespace

bool SavesJustTheLogo(const std::string& path, const std::string& imagePath, bool epaFilterChosen) {
    return epaFilterChosen || (EndsInEpa(path) && !EndsInEpa(imagePath));
}

} // namespace kalvero
