#pragma once

#include "bios/BoardChipset.h"
#include "conversion/FileKind.h"
#include "conversion/RgbImage.h"
#include "qemu/QemuProcess.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero::qemu {

// The logo the image's logo module holds: what the screen must show.
struct TrialLogo {
    FileKind kind;
    std::vector<std::uint8_t> file;
};

// What is known of an image before it boots: its chipset, and its logo, or
// why there is none to look for.
struct TrialPlan {
    bios::BoardChipset chipset;
    std::optional<TrialLogo> logo;
    std::string logoProblem;
};

// Walks the image; an image Kalvero does not understand still boots, with
// nothing to look for.
TrialPlan PlanTrial(std::span<const std::uint8_t> image);

enum class TrialVerdict {
    Drawn,        // the logo is on the screen
    NotDrawn,     // the BIOS ran, the logo did not appear
    QemuUnusable, // not installed, or it did not start or answer
    Stopped,      // the stop was asked for
};

struct TrialResult {
    TrialVerdict verdict = TrialVerdict::NotDrawn;
    std::string processor;                // as -cpu took it, for the last run
    double seconds = 0;                   // from QEMU's start to the verdict
    std::optional<std::uint8_t> postCode; // the last one written
    std::optional<RgbImage> screen;       // the last one taken
    bool machineReset = false;            // QEMU ended: the BIOS reset the machine
    std::string problem;                  // why QEMU could not be used
};

struct TrialSettings {
    double timeoutSeconds = 15;
    StopRequest stop = [] {
        return false;
    };
};

// Boots a private copy of the image in QEMU (TCG, i440FX PC, 32 MiB, an ISA
// VGA with SeaBIOS's VGA BIOS, no disks, network or display) on each of the
// plan's processors in turn, taking the screen until the logo appears, the
// time is up, QEMU ends or the stop is asked for. The copy and QEMU are gone
// when this returns.
TrialResult TryBoot(std::span<const std::uint8_t> image, const TrialPlan& plan,
                    const TrialSettings& settings);

// The Debian package that brings QEMU's PC, for messages.
inline constexpr char QemuPackage[] = "qemu-system-x86";

// Why QEMU cannot be used here ("QEMU is not installed: ..."), or empty.
std::string QemuMissing();

// The report: the verdict in a first line, then the details (processor, POST
// code and what it means, the chipset, the logo).
std::vector<std::string> DescribeTrial(const TrialPlan& plan, const TrialResult& result);

} // namespace kalvero::qemu
