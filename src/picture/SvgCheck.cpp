#include "picture/SvgCheck.h"

#include "picture/GzipInflate.h"
#include "picture/PictureLimits.h"
#include "picture/PictureSizing.h"

#include <QBuffer>
#include <QImageReader>
#include <QXmlStreamReader>
#include <optional>

namespace kalvero {
namespace {

// Drawings embedded in drawings embedded in ...: more is refused.
constexpr int MaxNesting = 4;

struct Tally {
    int elements = 0;
    std::uint64_t embeddedBytes = 0;
};

std::optional<FileError> Count(const QByteArray& drawing, std::uint64_t maxEmbeddedBytes,
                               int nesting, Tally& tally);

// Qt draws an embedded picture from a base64 "data:" address and leaves out
// any other "data:" one.
std::optional<FileError> CountEmbedded(QStringView address, std::uint64_t maxEmbeddedBytes,
                                       int nesting, Tally& tally) {
    const qsizetype start = address.lastIndexOf(u"base64,");
    if (start < 0) {
        return std::nullopt;
    }
    QByteArray picture = QByteArray::fromBase64(address.mid(start + 7).toLatin1());
    if (IsGzip(std::span(reinterpret_cast<const std::uint8_t*>(picture.constData()),
                         static_cast<std::size_t>(picture.size())))) {
        // Qt would unpack it without limit.
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"not drawn: it embeds a compressed drawing",
                                    "nicht gezeichnet: es bettet eine gepackte Zeichnung ein">()};
    }
    QBuffer buffer(&picture);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format == "svg") {
        if (nesting >= MaxNesting) {
            return FileError{FileProblem::NotAccepted,
                             Reason::of<"not drawn: drawings nested more than {} deep",
                                        "nicht gezeichnet: Zeichnungen mehr als {} tief "
                                        "verschachtelt">(MaxNesting)};
        }
        if (std::optional<FileError> problem =
                Count(picture, maxEmbeddedBytes, nesting + 1, tally)) {
            return problem;
        }
    }
    tally.embeddedBytes += DecodedBytes(reader.size(), reader.imageFormat());
    if (tally.embeddedBytes > maxEmbeddedBytes) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"too large: its embedded pictures would take more than {} MiB "
                                    "decoded",
                                    "zu groß: seine eingebetteten Bilder bräuchten entpackt mehr "
                                    "als {} MiB">(maxEmbeddedBytes / (1024 * 1024))};
    }
    return std::nullopt;
}

std::optional<FileError> Count(const QByteArray& drawing, std::uint64_t maxEmbeddedBytes,
                               int nesting, Tally& tally) {
    QXmlStreamReader xml(drawing);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (++tally.elements > MaxSvgElements) {
            return FileError{
                FileProblem::TooLarge,
                Reason::of<"too large: a drawing of more than {} elements",
                           "zu groß: eine Zeichnung von mehr als {} Elementen">(MaxSvgElements)};
        }
        if (xml.name() != u"image") {
            continue;
        }
        // Any attribute named href, whatever its prefix: Qt reads xlink:href.
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            const QStringView address = attribute.value().trimmed();
            if (attribute.name() != u"href" || address.isEmpty() || address.startsWith(u'#')) {
                continue;
            }
            if (!address.startsWith(u"data:")) {
                return FileError{FileProblem::NotAccepted,
                                 Reason::of<"not drawn: it takes a picture from another file ({}); "
                                            "embed it in the drawing",
                                            "nicht gezeichnet: es nimmt ein Bild aus einer anderen "
                                            "Datei ({}); betten Sie es in die Zeichnung ein">(
                                     address.left(200).toString().toStdString())};
            }
            if (std::optional<FileError> problem =
                    CountEmbedded(address, maxEmbeddedBytes, nesting, tally)) {
                return problem;
            }
        }
    }
    // A drawing that is no well-formed XML is left to Qt, which says why.
    return std::nullopt;
}

} // namespace

FileResult<std::uint64_t> CheckSvg(const QByteArray& drawing, std::uint64_t maxEmbeddedBytes) {
    Tally tally;
    if (std::optional<FileError> problem = Count(drawing, maxEmbeddedBytes, 0, tally)) {
        return *problem;
    }
    return tally.embeddedBytes;
}

} // namespace kalvero
