#include "bios/FullScreenShow.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

bool AnyModuleHolds(const ImageInspection& inspection, std::string_view text) {
    return std::any_of(inspection.contents.begin(), inspection.contents.end(),
                       [text](const ModuleContent& content) {
                           return std::search(content.data.begin(), content.data.end(),
                                              text.begin(), text.end()) != content.data.end();
                       });
}

} // namespace

FullScreenShow FullScreenShowOf(const ImageInspection& inspection) {
    // The board that shows the whole logo holds the line too: the setup item
    // decides first.
    if (AnyModuleHolds(inspection, "Full Screen Logo")) {
        return FullScreenShow::WholeLogo;
    }
    if (AnyModuleHolds(inspection, "to show POST screen")) {
        return FullScreenShow::LineBelow;
    }
    return FullScreenShow::Unknown;
}

} // namespace kalvero::bios
