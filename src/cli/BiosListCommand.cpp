#include "cli/BiosListCommand.h"

#include "bios/ImageReport.h"
#include "cli/ImageInput.h"

namespace kalvero::cli {

BiosListCommand::BiosListCommand()
    : ImageReportCommand(
          {"bios list",
           "List an Award BIOS image's modules, free room, checks and logo",
           {"IMAGE..."},
           "Prints for each image its size and layout, where its boot block and its\n"
           "decompression block are, each chain of modules with its free room (the\n"
           "0xFF bytes after it) and its modules (offset, packing, type, packed and\n"
           "unpacked size, name), the checks and the kind of its logo, then the areas\n"
           "no check covers, the BIOS's own blocks behind the chains and a warning\n"
           "for other bytes there, with their offsets (as bios verify --verbose).\n"
           "An IMAGE of - is standard input (once only). Files of other sizes than\n"
           "128 and 256 KiB are refused after their first bytes, which tell an image\n"
           "cut short. The exit status is 1 when an image cannot be read or walked."}) {}

bool BiosListCommand::report(const std::string& file, const bios::ImageInspection& inspection,
                             Console& console) {
    PrintReport(console, file, bios::ListImage(inspection));
    return true;
}

} // namespace kalvero::cli
