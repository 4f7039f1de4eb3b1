#include "cli/BiosVerifyCommand.h"

#include "bios/ImageReport.h"
#include "bios/ImageVerification.h"
#include "cli/BiosTryCommand.h"
#include "cli/ImageInput.h"

namespace kalvero::cli {

BiosVerifyCommand::BiosVerifyCommand()
    : ImageReportCommand(
          {"bios verify",
           "Check every sum and CRC of Award BIOS images, by name",
           {"IMAGE..."},
           "Prints for each image \"verified\" or \"NOT verified\", then every check by\n"
           "name: the module header sums and CRCs, C1 (the system module's sum), C2\n"
           "and C3 (the sums at the end of the decompression block's first 4 KiB) and\n"
           "W (the word sum of the whole image). C3 and W, which many images do\n"
           "without, and C1, which some 6.00PG images do without, are \"not used\"\n"
           "where they do not hold; then come the areas no check covers where they are\n"
           "not used, and the bytes other than 0xFF behind the module chains (a block\n"
           "of its own, or modules a damaged module header hides), with their offsets.\n"
           "An IMAGE of - is standard input (once only). The exit status is 1 when a\n"
           "check fails or an image cannot be read or walked. Verify a new image\n"
           "before you flash it; where QEMU runs the board's chipset, the report ends\n"
           "with the next step: see the logo drawn by the board's BIOS (bios try)."}) {}

bool BiosVerifyCommand::report(const std::string& file, const bios::ImageInspection& inspection,
                               Console& console) {
    const std::vector<bios::CheckResult> checks = bios::VerifyImage(inspection);
    const bool verified = bios::AllHold(checks);
    std::vector<std::string> lines{verified ? "verified" : "NOT verified"};
    const std::vector<std::string> checkLines = bios::CheckLines(checks);
    lines.insert(lines.end(), checkLines.begin(), checkLines.end());
    const std::vector<std::string> unchecked = bios::UncheckedAreas(inspection.image);
    lines.insert(lines.end(), unchecked.begin(), unchecked.end());
    if (const std::string next = TryNextStep(inspection, file); verified && !next.empty()) {
        lines.push_back(next);
    }
    PrintReport(console, file, lines);
    return verified;
}

} // namespace kalvero::cli
