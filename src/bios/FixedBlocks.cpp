#include "bios/FixedBlocks.h"

#include "bios/ImageBytes.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kalvero::bios {
namespace {

constexpr std::string_view BootText = "Award BootBlock BIOS";
constexpr std::string_view DecompressionText = "= Award Decompression Bios =";
constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

std::size_t Find(std::span<const std::uint8_t> bytes, std::string_view text, std::size_t from,
                 bool anyCase) {
    const auto same = [anyCase](std::uint8_t byte, char wanted) {
        return anyCase ? std::tolower(byte) == std::tolower(static_cast<unsigned char>(wanted))
                       : byte == static_cast<std::uint8_t>(wanted);
    };
    const auto found = std::search(bytes.begin() + static_cast<long>(from), bytes.end(),
                                   text.begin(), text.end(), same);
    return found == bytes.end() ? NotFound : static_cast<std::size_t>(found - bytes.begin());
}

const Reason WhatToDo = Reason::of<
    " Kalvero changes only Award BIOS images of the kinds it has measured; check that the file "
    "is a whole image, as read from the chip or published by the board's maker.",
    " Kalvero ändert nur Award-BIOS-Abbilder der Arten, die es vermessen hat; prüfen Sie, ob die "
    "Datei ein ganzes Abbild ist, wie es aus dem Chip gelesen oder vom Hersteller des Boards "
    "veröffentlicht wurde.">();

Reason NotAnImage() {
    return Reason::of<"not an Award BIOS image: ", "kein Award-BIOS-Abbild: ">();
}

bool IsMethod(std::span<const std::uint8_t> head) {
    const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    return text.substr(2) == "-lh5-" || text.substr(2) == "-lh0-";
}

} // namespace

std::optional<Reason> CutShortImage(std::uint64_t length, std::span<const std::uint8_t> head) {
    if (KnownImageSize(length) || head.size() < ImageHeadLength ||
        !IsMethod(head.first(ImageHeadLength))) {
        return std::nullopt;
    }
    return Reason::of<"an Award BIOS image cut short: {} bytes, where a whole image has 128 or "
                      "256 KiB (131072 or 262144 bytes). Read the image again from the chip, or "
                      "take the whole file from the board's maker.",
                      "ein abgeschnittenes Award-BIOS-Abbild: {} Bytes, wo ein ganzes Abbild 128 "
                      "oder 256 KiB hat (131072 oder 262144 Bytes). Lesen Sie das Abbild erneut "
                      "aus dem Chip, oder nehmen Sie die ganze Datei vom Hersteller des "
                      "Boards.">(length);
}

bool KnownImageSize(std::uint64_t size) {
    return size == SmallImageSize || size == LargeImageSize;
}

FileError UnknownImageSize(std::uint64_t size) {
    return Refusal(Reason::of<"not an Award BIOS image Kalvero knows: {} bytes, where the images "
                              "it knows have 128 or 256 KiB.{}",
                              "kein Award-BIOS-Abbild, das Kalvero kennt: {} Bytes, wo die "
                              "Abbilder, die es kennt, 128 oder 256 KiB haben.{}">(size, WhatToDo));
}

FileResult<FixedBlocks> FindFixedBlocks(std::span<const std::uint8_t> image) {
    if (!KnownImageSize(image.size())) {
        return UnknownImageSize(image.size());
    }
    FixedBlocks blocks;
    blocks.bootBlock = image.size() - BootBlockSize;
    blocks.bootText = Find(image, BootText, blocks.bootBlock, true);
    if (blocks.bootText == NotFound) {
        return Refusal(Reason::of<"{}no boot block: the text \"Award BootBlock BIOS\" is not in "
                                  "the last 8 KiB.{}",
                                  "{}kein Bootblock: der Text \"Award BootBlock BIOS\" steht nicht "
                                  "in den letzten 8 KiB.{}">(NotAnImage(), WhatToDo));
    }
    blocks.decompression = Find(image, DecompressionText, 0, false);
    if (blocks.decompression == NotFound) {
        return Refusal(Reason::of<"{}no decompression block: the text \"= Award Decompression "
                                  "Bios =\" is missing.{}",
                                  "{}kein Entpackblock: der Text \"= Award Decompression Bios =\" "
                                  "fehlt.{}">(NotAnImage(), WhatToDo));
    }
    if (Find(image, DecompressionText, blocks.decompression + 1, false) != NotFound) {
        return Refusal(
            Reason::of<"the text \"= Award Decompression Bios =\" stands more than "
                       "once, so the decompression block cannot be told.{}",
                       "der Text \"= Award Decompression Bios =\" steht mehr als "
                       "einmal da, daher ist der Entpackblock nicht zu bestimmen.{}">(WhatToDo));
    }
    if (blocks.decompression + DecompressionText.size() > blocks.c3Offset()) {
        return Refusal(Reason::of<"the decompression text at {} runs into the block's check "
                                  "bytes.{}",
                                  "der Entpacktext bei {} reicht in die Prüfbytes des Blocks.{}">(
            Hex(blocks.decompression), WhatToDo));
    }
    if (blocks.c2Offset() >= blocks.bootBlock) {
        return Refusal(Reason::of<"the decompression block at {} reaches into the boot block.{}",
                                  "der Entpackblock bei {} reicht in den Bootblock.{}">(
            Hex(blocks.decompression), WhatToDo));
    }
    return blocks;
}

} // namespace kalvero::bios
