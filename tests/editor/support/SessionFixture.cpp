#include "editor/support/SessionFixture.h"

#include "conversion/BmpWriter.h"

#include <algorithm>
#include <vector>

namespace kalvero::test {

std::string EditorFiles::writeLogo(const std::string& name, bool tall, std::uint8_t attribute,
                                   std::uint8_t glyphBits) const {
    const LogoLayout size = LayoutFor(tall);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.fileLength), 0);
    bytes[0] = 17;
    bytes[1] = static_cast<std::uint8_t>(size.cellRows);
    std::fill_n(bytes.begin() + 2, size.cellCount, attribute);
    std::fill(bytes.begin() + size.glyphOffset, bytes.begin() + size.trailerOffset, glyphBits);
    WriteBytes(dir.file(name), bytes);
    return path(name);
}

std::string EditorFiles::writeMonoBitmap(const std::string& name, bool tall, int x, int y) const {
    const int height = tall ? 126 : 84;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(17 * height), 0);
    if (x >= 0) {
        rows[static_cast<std::size_t>(y * 17 + x / 8)] = static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    WriteBytes(dir.file(name), MonoBmpFile(rows, height));
    return path(name);
}

std::string EditorFiles::writeColourBitmap(const std::string& name, bool tall, int index) const {
    const int height = tall ? 126 : 84;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(136 * height),
                                      static_cast<std::uint8_t>(index));
    std::vector<std::uint8_t> palette(64, 0);
    for (int entry = 0; entry < 16; ++entry) {
        palette[static_cast<std::size_t>(4 * entry + 2)] = static_cast<std::uint8_t>(entry * 16);
    }
    WriteBytes(dir.file(name), ColourBmpFile(indices, 136, height, palette));
    return path(name);
}

std::string EditorFiles::writeImage(const std::string& name, const TestImage& image) const {
    WriteBytes(dir.file(name), Build(image).bytes);
    return path(name);
}

void MakeBitmapLogo(EditorSession& session, const std::string& bitmap, bool tall) {
    LogoDocument& document = session.document();
    document.choseBitmap(bitmap);
    document.loadedMonoBitmap({}, tall);
    document.madeFromBitmap();
    document.InitFromTemplate();
    session.controls().saveEnabled = true;
    session.context().showControls();
}

} // namespace kalvero::test
