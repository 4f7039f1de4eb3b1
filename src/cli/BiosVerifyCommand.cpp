#include "cli/BiosVerifyCommand.h"

#include "bios/ImageReport.h"
#include "bios/ImageVerification.h"
#include "cli/BiosTryCommand.h"
#include "cli/ImageInput.h"

namespace kalvero::cli {

namespace {

constexpr Option VerboseOption{'v', "verbose", "",
                               "Tell every check's offsets and sums, the areas no\n"
                               "check covers and the BIOS's own blocks"};

} // namespace

BiosVerifyCommand::BiosVerifyCommand()
    : ImageReportCommand(
          {"bios verify",
           "Check every sum and CRC of Award BIOS images, by name",
           {"[--verbose] IMAGE..."},
           "Prints for each image \"verified\" or \"NOT verified\", then every check by\n"
           "name: the module header sums and CRCs, C1 (the system module's sum), C2\n"
           "and C3 (the sums at the end of the decompression block's first 4 KiB) and\n"
           "W (the word sum of the whole image), with what was found where one fails.\n"
           "C3 and W, which many images do without, and C1, which some 6.00PG images\n"
           "do without, are \"not used\" where they do not hold. A warning names bytes\n"
           "other than 0xFF behind the module chains that are no 4 KiB block of the\n"
           "BIOS's own (its uncompressed code or tables, at a 4 KiB boundary, which\n"
           "real images have before the decompression block): a damaged module header\n"
           "may hide modules there. With --verbose, every check tells its offsets and\n"
           "sums, and the areas no check covers and the BIOS's own blocks follow.\n"
           "An IMAGE of - is standard input (once only). The exit status is 1 when a\n"
           "check fails or an image cannot be read or walked. Verify a new image\n"
           "before you flash it; where QEMU runs the board's chipset, the report ends\n"
           "with the next step: see the logo drawn by the board's BIOS (bios try)."}) {}

std::vector<const Option*> BiosVerifyCommand::options() const {
    return {&VerboseOption};
}

void BiosVerifyCommand::takeOptions(const ArgumentParser& arguments) {
    verbose_ = arguments.isSet(VerboseOption);
}

bool BiosVerifyCommand::report(const std::string& file, const bios::ImageInspection& inspection,
                               Console& console) {
    const std::vector<bios::CheckResult> checks = bios::VerifyImage(inspection);
    const bool verified = bios::AllHold(checks);
    std::vector<std::string> lines{verified ? "verified" : "NOT verified"};
    const std::vector<std::string> checkLines = bios::CheckLines(checks, verbose_);
    lines.insert(lines.end(), checkLines.begin(), checkLines.end());
    const bios::AreaNotes areas = bios::DescribeAreas(inspection.image);
    if (verbose_) {
        lines.insert(lines.end(), areas.details.begin(), areas.details.end());
    }
    lines.insert(lines.end(), areas.warnings.begin(), areas.warnings.end());
    if (const std::string next = TryNextStep(inspection, file); verified && !next.empty()) {
        lines.push_back(next);
    }
    PrintReport(console, file, lines);
    return verified;
}

} // namespace kalvero::cli
