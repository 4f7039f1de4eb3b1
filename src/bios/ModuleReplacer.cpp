#include "bios/ModuleReplacer.h"

#include "bios/ImageBytes.h"
#include "bios/ReplacementProof.h"
#include "lh5/Crc16.h"
#include "lh5/Lh5Decoder.h"
#include "lh5/Lh5Encoder.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

constexpr std::uint8_t Fill = 0xFF;

// Only the kind of module the measured BIOSes unpack, with no fields we would
// have to rewrite without knowing them.
FileStatus CheckReplaceable(const Module& module) {
    if (module.header.packing == Packing::Lh0) {
        return Refusal(Reason::of<"the logo module at {} is stored (\"-lh0-\"), not packed: "
                                  "Kalvero replaces only packed (\"-lh5-\") logos, the kind the "
                                  "BIOSes it has measured unpack. Use the board maker's tool for "
                                  "this image.",
                                  "das Logo-Modul bei {} ist ungepackt (\"-lh0-\"): Kalvero "
                                  "ersetzt nur gepackte (\"-lh5-\") Logos, die Art, die die von "
                                  "ihm vermessenen BIOS entpacken. Nehmen Sie für dieses Abbild "
                                  "das Werkzeug des Board-Herstellers.">(Hex(module.offset)));
    }
    if (module.header.extensionLength != 0) {
        return Refusal(Reason::of<"the logo module at {} has extension headers, which Kalvero "
                                  "does not know and would have to rewrite; it changes nothing. "
                                  "Use the board maker's tool for this image.",
                                  "das Logo-Modul bei {} hat Erweiterungsköpfe, die Kalvero nicht "
                                  "kennt und neu schreiben müsste; es ändert nichts. Nehmen Sie "
                                  "für dieses Abbild das Werkzeug des Board-Herstellers.">(
            Hex(module.offset)));
    }
    return Succeeded;
}

// Step 3 of docs/bios-images.md, "What replace changes": the new module,
// packed by our encoder and proven to unpack again.
FileResult<std::vector<std::uint8_t>> NewModule(std::span<const std::uint8_t> image,
                                                const Module& old,
                                                std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> packed = lh5::EncodeLh5(data);
    const FileResult<std::vector<std::uint8_t>> unpacked = lh5::DecodeLh5(packed, data.size());
    if (!unpacked ||
        !std::equal(data.begin(), data.end(), unpacked.value().begin(), unpacked.value().end())) {
        return OwnFault(Reason::of<"the packed logo does not unpack to the logo again",
                                   "das gepackte Logo entpackt sich nicht wieder zum Logo">());
    }
    std::vector<std::uint8_t> module =
        RewriteModuleHeader(image.subspan(old.offset, old.header.headerLength),
                            static_cast<std::uint32_t>(packed.size()),
                            static_cast<std::uint32_t>(data.size()), lh5::Crc16(data));
    module.insert(module.end(), packed.begin(), packed.end());
    return module;
}

Reason RoomRefusal(const Chain& chain, std::size_t newEnd, const ModuleChange& change,
                   std::size_t modules) {
    const Reason each =
        modules > 1
            ? Reason::of<" in each of its {} modules", " in jedem seiner {} Module">(modules)
            : Reason();
    return Reason::of<"the new logo packs to {} bytes, {} more than fit: the old logo took {}{}, "
                      "and its chain has {} bytes of free room up to {}. A logo with larger "
                      "areas of one colour packs smaller.",
                      "das neue Logo packt sich auf {} Bytes, {} mehr als hineinpassen: das alte "
                      "Logo brauchte {}{}, und seine Kette hat {} Bytes freien Platz bis {}. Ein "
                      "Logo mit größeren einfarbigen Flächen packt sich kleiner.">(
        change.newPackedSize, newEnd - chain.end - chain.room(), change.oldPackedSize, each,
        chain.room(), Hex(chain.roomEnd));
}

// Step 4 of docs/bios-images.md, "What replace changes", for one chain: its
// replaced modules from replacements[r] on, the modules behind them moved,
// then 0xFF where the chain became shorter.
FileStatus RebuildChain(std::span<const std::uint8_t> image, const AwardImage& parsed,
                        const std::vector<ModuleReplacement>& replacements, std::size_t& r,
                        Replacement& result) {
    const Module& first = parsed.modules[replacements[r].index];
    const Chain& chain = parsed.chains[first.chain];
    ReplacementPlan& plan = result.plan;
    const std::size_t firstChange = plan.modules.size();
    std::vector<std::uint8_t> bytes;
    std::ptrdiff_t shift = 0;
    for (std::size_t m = replacements[r].index; m < chain.firstModule + chain.moduleCount; ++m) {
        const Module& module = parsed.modules[m];
        std::size_t from = module.offset;
        if (r < replacements.size() && replacements[r].index == m) {
            const FileResult<std::vector<std::uint8_t>> fresh =
                NewModule(image, module, replacements[r++].data);
            if (!fresh) {
                return fresh.error();
            }
            bytes.insert(bytes.end(), fresh.value().begin(), fresh.value().end());
            shift += static_cast<std::ptrdiff_t>(fresh.value().size()) -
                     static_cast<std::ptrdiff_t>(module.header.length());
            plan.modules.push_back({module.offset, module.header.packedSize,
                                    fresh.value().size() - module.header.headerLength, 0, shift,
                                    chain.room(), 0});
            from = module.end();
        }
        bytes.insert(bytes.end(), image.begin() + static_cast<long>(from),
                     image.begin() + static_cast<long>(module.next()));
        plan.modules.back().movedBytes += module.next() - from;
    }
    const std::size_t newEnd = first.offset + bytes.size();
    if (newEnd >= chain.roomEnd) {
        return Refusal(RoomRefusal(chain, newEnd, plan.modules[firstChange],
                                   plan.modules.size() - firstChange));
    }
    for (std::size_t c = firstChange; c < plan.modules.size(); ++c) {
        plan.modules[c].roomAfter = chain.roomEnd - newEnd - 1;
    }
    const auto out = result.image.begin();
    std::copy(bytes.begin(), bytes.end(), out + static_cast<long>(first.offset));
    if (newEnd < chain.end) {
        std::fill(out + static_cast<long>(newEnd), out + static_cast<long>(chain.end), Fill);
    }
    plan.areas.push_back({first.chain, first.offset, std::max(chain.end, newEnd)});
    return Succeeded;
}

} // namespace

FileResult<Replacement> ReplaceModules(std::span<const std::uint8_t> image,
                                       const ImageInspection& inspection,
                                       std::vector<ModuleReplacement> replacements) {
    std::sort(
        replacements.begin(), replacements.end(),
        [](const ModuleReplacement& a, const ModuleReplacement& b) { return a.index < b.index; });
    for (const ModuleReplacement& replacement : replacements) {
        if (const FileStatus fits = CheckReplaceable(inspection.image.modules[replacement.index]);
            !fits) {
            return fits.error();
        }
    }
    Replacement result{{image.begin(), image.end()}, {}};
    for (std::size_t r = 0; r < replacements.size();) {
        if (const FileStatus rebuilt =
                RebuildChain(image, inspection.image, replacements, r, result);
            !rebuilt) {
            return rebuilt.error();
        }
    }
    // Steps 5 and 6 of docs/bios-images.md, "What replace changes": the checks,
    // then the proof from scratch.
    result.plan.checks = RestoreChecks(result.image, inspection.image);
    const FileStatus proven =
        ProveReplacement(image, inspection, result.image, replacements, result.plan);
    if (!proven) {
        return proven.error();
    }
    return result;
}

} // namespace kalvero::bios
