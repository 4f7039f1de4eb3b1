#pragma once

#include "bios/ImageInspection.h"

#include <string>
#include <vector>

namespace kalvero::bios {

enum class Verdict {
    Holds,
    Fails,
    NotUsed, // a check some images do without: C1 in 6.00PG images, C3 and W
};

struct CheckResult {
    std::string name; // "header sums", "CRCs", "C1", "C2", "C3", "W", "separators"
    Verdict verdict = Verdict::Holds;
    Reason detail;
};

// Every check of an inspected image, by name: the module header sums, the
// CRCs, C1 (required, except in 6.00PG images, which may do without it), C2
// (required), C3 and W (kept where they hold, not required); and, only where
// it fails, "separators": a place where the chains could be read two ways.
std::vector<CheckResult> VerifyImage(const ImageInspection& inspection);

// What `bios verify` tells beside the checks. warnings: bytes other than 0xFF
// behind the chains that look like a module header or are no block of the
// BIOS's own, where a damaged module header may hide modules. details (for
// --verbose): where W does not hold, the bytes behind C2 (the rest of the
// decompression block and the boot block), and where C3 does not hold
// either, the chains' free room and the bytes between them; then the BIOS's
// own blocks, which Kalvero leaves alone.
struct AreaNotes {
    std::vector<std::string> warnings;
    std::vector<std::string> details;
};
AreaNotes DescribeAreas(const AwardImage& image);

// True when no check fails.
bool AllHold(const std::vector<CheckResult>& checks);

// "the check "C2" fails: " and the check's detail.
Reason FailedCheck(const CheckResult& failed);
// Why an image with this failed check is not changed, and what to do.
Reason RefusalFor(const CheckResult& failed);

} // namespace kalvero::bios
