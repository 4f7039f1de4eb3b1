#include "picture/GzipInflate.h"

#include <algorithm>
#include <string>
#include <zlib.h>

namespace kalvero {
namespace {

constexpr int GzipWindowBits = 16 + MAX_WBITS; // gzip wrapper, largest window
constexpr std::size_t ChunkLength = 64 * 1024;

} // namespace

bool IsGzip(std::span<const std::uint8_t> file) {
    return file.size() >= 2 && file[0] == 0x1F && file[1] == 0x8B;
}

FileResult<std::vector<std::uint8_t>> InflateGzip(std::span<const std::uint8_t> file,
                                                  std::size_t maxLength) {
    z_stream stream{};
    if (inflateInit2(&stream, GzipWindowBits) != Z_OK) {
        return FileError{
            FileProblem::Other,
            Reason::of<"cannot unpack: out of memory", "kann nicht entpacken: kein Speicher "
                                                       "frei">()};
    }
    std::vector<std::uint8_t> unpacked;
    // zlib takes a non-const pointer but does not write through it.
    stream.next_in = const_cast<Bytef*>(file.data());
    stream.avail_in = static_cast<uInt>(file.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (unpacked.size() >= maxLength + 1) {
            inflateEnd(&stream);
            return FileError{FileProblem::TooLarge,
                             Reason::of<"too large: it unpacks to more than {} MiB",
                                        "zu groß: es entpackt sich zu mehr als {} MiB">(
                                 maxLength / (1024 * 1024))};
        }
        const std::size_t done = unpacked.size();
        unpacked.resize(std::min(done + ChunkLength, maxLength + 1));
        stream.next_out = unpacked.data() + done;
        stream.avail_out = static_cast<uInt>(unpacked.size() - done);
        status = inflate(&stream, Z_NO_FLUSH);
        unpacked.resize(unpacked.size() - stream.avail_out);
    }
    const Reason problem = stream.msg != nullptr
                               ? Reason::of<"{}", "Meldung von zlib: {}">(std::string(stream.msg))
                               : Reason::of<"it ends too early", "es endet zu früh">();
    inflateEnd(&stream);
    if (status != Z_STREAM_END) {
        return FileError{
            FileProblem::NotAccepted,
            Reason::of<"damaged compressed data ({})", "beschädigte gepackte Daten ({})">(problem)};
    }
    return unpacked;
}

} // namespace kalvero
