#include "cli/BiosTryCommand.h"

#include "cli/Console.h"
#include "cli/ImageInput.h"
#include "cli/OutputArgument.h"
#include "cli/PngEncoding.h"
#include "cli/WholeNumber.h"
#include "document/FileNames.h"
#include "document/TemporaryFiles.h"
#include "qemu/BootTrial.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace kalvero::cli {
namespace {

constexpr int DefaultTimeout = 15;
constexpr int MaxTimeout = 600;

constexpr Option ScreenshotOption{0, "screenshot", "OUT.png",
                                  "Keep the last screen taken as a PNG picture"};
constexpr Option TimeoutOption{
    0, "timeout", "S", "Wait at most S seconds for the logo (1 to 600;\n15 when not given)"};

// While QEMU runs, the cleanup signals wait (CleanupSignalsHeld) and are
// looked for here: QEMU is killed and the private folder removed first, then
// the signal ends the program as it would have.
bool CleanupSignalPending() {
#ifdef _WIN32
    return false;
#else
    sigset_t pending;
    sigpending(&pending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        if (sigismember(&pending, signal) == 1) {
            return true;
        }
    }
    return false;
#endif
}

} // namespace

BiosTryCommand::BiosTryCommand()
    : Command({"bios try",
               "Boot an Award BIOS image in QEMU and see its logo drawn",
               {"[--screenshot OUT.png] [--timeout S] IMAGE"},
               "Boots IMAGE in QEMU (Debian's qemu-system-x86: an i440FX PC without disks,\n"
               "network or display), so that the board's own BIOS code runs on it, and\n"
               "watches the screen until the logo of the image's logo module appears where\n"
               "the BIOS draws it. Then says what it saw: the logo, after how long, the\n"
               "last POST code; or that the logo did not appear, with the last POST code\n"
               "and what it means where that is known. QEMU runs the BIOS of boards with\n"
               "Intel 430FX, 430HX, 430VX, some 430TX and 440FX chipsets; the processor is\n"
               "chosen from the chipset the BIOS ID line names. IMAGE is never written:\n"
               "QEMU gets a private copy in a temporary folder, which goes with QEMU when\n"
               "the command ends, also when it is stopped. An IMAGE of - is standard input.\n"
               "The exit status is 0 when the logo was drawn, 3 when the BIOS did not draw\n"
               "it, 4 when QEMU could not be used, 1 when IMAGE cannot be read. What the\n"
               "check proves and what it does not: docs/bios-images.md."}) {}

std::vector<const Option*> BiosTryCommand::options() const {
    return {&ScreenshotOption, &TimeoutOption};
}

int BiosTryCommand::run(const ArgumentParser& arguments, Console& console) {
    const std::vector<std::string>& files = arguments.operands();
    if (files.size() != 1) {
        return console.reportUsageError(name() + " needs one image", name());
    }
    qemu::TrialSettings settings;
    settings.timeoutSeconds = DefaultTimeout;
    if (arguments.isSet(TimeoutOption)) {
        const std::optional<int> timeout =
            WholeNumber(arguments.value(TimeoutOption), 1, MaxTimeout);
        if (!timeout) {
            return console.reportUsageError("--timeout needs a whole number of seconds from 1 to " +
                                                std::to_string(MaxTimeout) + ", not '" +
                                                arguments.value(TimeoutOption) + "'",
                                            name());
        }
        settings.timeoutSeconds = *timeout;
    }
    InputArgument image(files[0]);
    const std::optional<OutputArgument> screenshot =
        arguments.isSet(ScreenshotOption)
            ? std::optional<OutputArgument>(arguments.value(ScreenshotOption))
            : std::nullopt;
    const InputArgument* inputs[] = {&image};
    if (screenshot && !screenshot->check(inputs, console)) {
        return ExitFailure;
    }
    const FileResult<std::vector<std::uint8_t>> bytes = ReadImage(image);
    if (!bytes) {
        console.reportFileError(image.name(), bytes.error().reason);
        return ExitFailure;
    }
    const qemu::TrialPlan plan = qemu::PlanTrial(bytes.value());
    qemu::TrialResult result;
    {
        const CleanupSignalsHeld held;
        settings.stop = CleanupSignalPending;
        result = qemu::TryBoot(bytes.value(), plan, settings);
    }
    const std::vector<std::string> lines = qemu::DescribeTrial(plan, result);
    if (result.verdict == qemu::TrialVerdict::QemuUnusable) {
        console.reportFileError(image.name(), lines.front());
        return ExitNoQemu;
    }
    PrintReport(console, image.name(), lines);
    if (screenshot && result.screen && !screenshot->write(EncodePng(*result.screen), console)) {
        return ExitFailure;
    }
    return result.verdict == qemu::TrialVerdict::Drawn ? ExitSuccess : ExitNotDrawn;
}

std::string TryNextStep(const bios::ImageInspection& inspection, std::string_view image) {
    const bios::QemuFit fit = bios::ReadBoardChipset(inspection).fit;
    if (fit != bios::QemuFit::Runs && fit != bios::QemuFit::SomeBoards) {
        return {};
    }
    return "see it drawn by this board's BIOS: " + std::string(ProgramName) + " bios try " +
           QuotedName(image);
}

} // namespace kalvero::cli
