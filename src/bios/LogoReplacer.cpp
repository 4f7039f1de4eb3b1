#include "bios/LogoReplacer.h"

#include "bios/ImageBytes.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/ReplacementProof.h"
#include "lh5/Crc16.h"
#include "lh5/Lh5Decoder.h"
#include "lh5/Lh5Encoder.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

constexpr std::uint8_t Fill = 0xFF;

// Steps 1 and 2: the image verifies, has one logo module of a kind that can
// be replaced, and the new logo is of its kind and size.
FileResult<std::size_t> CheckReplaceable(const ImageInspection& inspection,
                                         std::span<const std::uint8_t> logo) {
    for (const CheckResult& check : VerifyImage(inspection)) {
        if (check.verdict == Verdict::Fails) {
            return Refusal(RefusalFor(check));
        }
    }
    const AwardImage& image = inspection.image;
    if (image.checks.wordSumHolds() && !image.checks.balanceWord) {
        return Refusal("the image's 16-bit word sum is 0, but Kalvero found no word in the boot "
                       "block that keeps it so (the one after \"*BBSS*\"); it cannot keep the "
                       "sum and changes nothing. Use the board maker's tool for this image.");
    }
    const FileResult<std::size_t> index = FindLogoModule(image);
    if (!index) {
        return index.error();
    }
    const ModuleHeader& header = image.modules[index.value()].header;
    if (header.packing == Packing::Lh0) {
        return Refusal("the logo module is stored (\"-lh0-\"), not packed: Kalvero replaces only "
                       "packed (\"-lh5-\") logos, the kind the BIOSes it has measured unpack. "
                       "Use the board maker's tool for this image.");
    }
    if (header.extensionLength != 0) {
        return Refusal("the logo module has extension headers, which Kalvero does not know and "
                       "would have to rewrite; it changes nothing. Use the board maker's tool "
                       "for this image.");
    }
    const FileResult<FileKind> old = LogoKind(inspection.contents[index.value()].data);
    if (!old) {
        return Refusal("the image's logo module holds no EPA logo Kalvero knows (" +
                       old.error().reason + "), so it cannot tell which logos would fit.");
    }
    const FileResult<FileKind> kind = NewLogoKind(logo);
    if (!kind) {
        return kind.error();
    }
    const FileKind& a = old.value();
    const FileKind& b = kind.value();
    if (a.type != b.type || a.width != b.width || a.height != b.height || a.colours != b.colours) {
        return Refusal("the new logo is " + DescribeFileKind(b) + ", but the image's logo is " +
                       DescribeFileKind(a) +
                       ": a BIOS shows only the kind and size it was built for. Make the new "
                       "logo of that kind and size (kalvero-cli info tells a file's kind).");
    }
    return index.value();
}

// Step 3: the new module, packed by our encoder and proven to unpack again.
FileResult<std::vector<std::uint8_t>> NewModule(std::span<const std::uint8_t> image,
                                                const Module& old,
                                                std::span<const std::uint8_t> logo) {
    std::vector<std::uint8_t> packed = lh5::EncodeLh5(logo);
    const FileResult<std::vector<std::uint8_t>> unpacked = lh5::DecodeLh5(packed, logo.size());
    if (!unpacked ||
        !std::equal(logo.begin(), logo.end(), unpacked.value().begin(), unpacked.value().end())) {
        return Refusal("the packed logo does not unpack to the logo again, so nothing was "
                       "written. This is a fault of Kalvero, not of your files: please report it.");
    }
    std::vector<std::uint8_t> module =
        RewriteModuleHeader(image.subspan(old.offset, old.header.headerLength),
                            static_cast<std::uint32_t>(packed.size()),
                            static_cast<std::uint32_t>(logo.size()), lh5::Crc16(logo));
    module.insert(module.end(), packed.begin(), packed.end());
    return module;
}

std::string RoomRefusal(const Chain& chain, std::size_t needed, const ReplacementPlan& plan) {
    return "the new logo packs to " + std::to_string(plan.newPackedSize) + " bytes, " +
           std::to_string(needed - chain.room() + 1) + " more than fit: the old logo took " +
           std::to_string(plan.oldPackedSize) + ", and its chain has " +
           std::to_string(chain.room()) + " bytes of free room up to " + Hex(chain.roomEnd) +
           " (one of them must stay 0xFF to end the chain). A logo with larger areas of one "
           "colour packs smaller.";
}

} // namespace

FileResult<LogoReplacement> ReplaceLogo(std::span<const std::uint8_t> image,
                                        std::span<const std::uint8_t> logo) {
    const FileResult<ImageInspection> inspected = InspectAwardImage(image);
    if (!inspected) {
        return inspected.error();
    }
    const ImageInspection& inspection = inspected.value();
    const FileResult<std::size_t> index = CheckReplaceable(inspection, logo);
    if (!index) {
        return index.error();
    }
    const Module& old = inspection.image.modules[index.value()];
    const Chain& chain = inspection.image.chains[old.chain];
    FileResult<std::vector<std::uint8_t>> module = NewModule(image, old, logo);
    if (!module) {
        return module.error();
    }
    const std::vector<std::uint8_t>& bytes = module.value();

    // Step 4: the new module, then the old bytes behind the old one up to the
    // chain's end, then 0xFF where the chain has become shorter.
    LogoReplacement result{{image.begin(), image.end()}, {}};
    ReplacementPlan& plan = result.plan;
    plan.logoOffset = old.offset;
    plan.oldPackedSize = old.header.packedSize;
    plan.newPackedSize = bytes.size() - old.header.headerLength;
    plan.movedBytes = chain.end - old.end();
    plan.shift = static_cast<std::ptrdiff_t>(bytes.size()) -
                 static_cast<std::ptrdiff_t>(old.header.length());
    const std::size_t newEnd = old.offset + bytes.size() + plan.movedBytes;
    if (newEnd >= chain.roomEnd) {
        return Refusal(RoomRefusal(chain, newEnd - chain.end, plan));
    }
    plan.roomBefore = chain.room();
    plan.roomAfter = chain.roomEnd - newEnd;
    auto out = result.image.begin();
    std::copy(bytes.begin(), bytes.end(), out + static_cast<long>(old.offset));
    std::copy(image.begin() + static_cast<long>(old.end()),
              image.begin() + static_cast<long>(chain.end),
              out + static_cast<long>(old.offset + bytes.size()));
    if (newEnd < chain.end) {
        std::fill(out + static_cast<long>(newEnd), out + static_cast<long>(chain.end), Fill);
    }

    // Step 5, then step 6: the proof from scratch.
    plan.checks = RestoreChecks(result.image, inspection.image);
    const ChangedArea area{index.value(), old.offset, std::max(chain.end, newEnd), plan.checks};
    const FileStatus proven = ProveReplacement(image, inspection, result.image, logo, area);
    if (!proven) {
        return proven.error();
    }
    return result;
}

} // namespace kalvero::bios
