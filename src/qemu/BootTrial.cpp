#include "qemu/BootTrial.h"

#include "bios/ImageInspection.h"
#include "bios/LogoKinds.h"
#include "bios/LogoModule.h"
#include "bios/PostCodes.h"
#include "conversion/LogoOnScreen.h"
#include "conversion/PpmImage.h"
#include "document/FileIo.h"
#include "qemu/PrivateFolder.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace kalvero::qemu {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto ScreenInterval = 100ms;
constexpr std::size_t MaxScreenBytes = 4 * 1024 * 1024;
constexpr char ImageName[] = "image.bin";
constexpr char ScreenName[] = "screen.ppm";
constexpr char PostName[] = "post.log";
constexpr char MonitorName[] = "monitor.sock";

// SeaBIOS's VGA BIOS for an ISA card, where Debian's seabios and qemu put it.
constexpr const char* VgaBiosFiles[] = {"/usr/share/seabios/vgabios-isavga.bin",
                                        "/usr/share/qemu/vgabios-isavga.bin"};

std::optional<std::filesystem::path> FindVgaBios() {
    for (const char* file : VgaBiosFiles) {
        if (PathExists(file)) {
            return std::filesystem::path(file);
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindQemu() {
    return FindProgram({"qemu-system-i386", "qemu-system-x86_64"});
}

// The BIOS copies the video BIOS of a PCI card through shadow RAM that QEMU
// does not emulate that way: an ISA card with its BIOS at 0xC0000 instead.
// KVM fails in POST: TCG only.
std::vector<std::string> QemuArguments(const std::string& processor,
                                       const std::filesystem::path& vgaBios) {
    return {"-M",          "pc",
            "-accel",      "tcg",
            "-m",          "32",
            "-cpu",        processor,
            "-nodefaults", "-display",
            "none",        "-serial",
            "none",        "-parallel",
            "none",        "-net",
            "none",        "-no-reboot",
            "-device",     "isa-vga",
            "-device",     "loader,file=" + vgaBios.string() + ",addr=0xc0000,force-raw=on",
            "-bios",       ImageName,
            "-monitor",    std::string("unix:") + MonitorName + ",server=on,wait=off",
            "-debugcon",   std::string("file:") + PostName,
            "-global",     "isa-debugcon.iobase=0x80"};
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The last line QEMU wrote, for a run that failed.
std::string QemuMessage(const std::filesystem::path& folder) {
    const FileResult<std::vector<std::uint8_t>> log = ReadFilePrefix(folder / "qemu.log", 4096);
    if (!log || log.value().empty()) {
        return "QEMU ended at once";
    }
    std::string text(log.value().begin(), log.value().end());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return "QEMU ended: " + text.substr(text.rfind('\n') + 1);
}

// One boot on one processor, in the private folder.
TrialResult BootOnce(const std::filesystem::path& folder, const TrialPlan& plan,
                     const std::string& processor, const std::filesystem::path& program,
                     const std::filesystem::path& vgaBios, const TrialSettings& settings) {
    TrialResult result;
    result.processor = processor;
    std::error_code ignored;
    std::filesystem::remove(folder / PostName, ignored);
    QemuProcess qemu;
    const auto start = Clock::now();
    const auto finish = [&](TrialVerdict verdict, std::string problem = {}) {
        qemu.kill();
        result.verdict = verdict;
        result.problem = std::move(problem);
        if (result.verdict != TrialVerdict::Drawn) {
            result.seconds = SecondsSince(start);
        }
        const FileResult<std::vector<std::uint8_t>> post =
            ReadFilePrefix(folder / PostName, 1024 * 1024);
        result.postCode = post ? bios::LastPostCode(post.value()) : std::nullopt;
        return result;
    };
    if (std::string problem = qemu.start(program, QemuArguments(processor, vgaBios), folder);
        !problem.empty()) {
        return finish(TrialVerdict::QemuUnusable, problem);
    }
    if (std::string problem = qemu.connectMonitor(folder / MonitorName, settings.stop);
        !problem.empty()) {
        if (settings.stop()) {
            return finish(TrialVerdict::Stopped);
        }
        return finish(TrialVerdict::QemuUnusable, qemu.running() ? problem : QemuMessage(folder));
    }
    const std::filesystem::path screenFile = folder / ScreenName;
    while (true) {
        const auto taken = Clock::now();
        const std::optional<std::string> answer =
            qemu.command(std::string("screendump ") + ScreenName, settings.stop);
        if (settings.stop()) {
            return finish(TrialVerdict::Stopped);
        }
        if (!answer) {
            result.machineReset = !qemu.running();
            return finish(TrialVerdict::NotDrawn);
        }
        if (!answer->empty()) {
            return finish(TrialVerdict::QemuUnusable, "QEMU could not take the screen: " + *answer);
        }
        const FileResult<std::vector<std::uint8_t>> bytes =
            ReadFilePrefix(screenFile, MaxScreenBytes);
        FileResult<RgbImage> screen =
            bytes ? ReadPpm(bytes.value()) : FileResult<RgbImage>(bytes.error());
        if (!screen) {
            return finish(TrialVerdict::QemuUnusable,
                          "QEMU could not take the screen: " + screen.error().reason.english());
        }
        result.screen = std::move(screen).value();
        std::filesystem::remove(screenFile, ignored);
        if (plan.logo &&
            FindLogoOnScreen(*result.screen, plan.logo->kind, plan.logo->file).has_value()) {
            result.seconds = std::chrono::duration<double>(taken - start).count();
            return finish(TrialVerdict::Drawn);
        }
        if (SecondsSince(start) >= settings.timeoutSeconds) {
            return finish(TrialVerdict::NotDrawn);
        }
        for (auto slept = 0ms; slept < ScreenInterval && !settings.stop(); slept += 20ms) {
            std::this_thread::sleep_for(20ms);
        }
    }
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

} // namespace

TrialPlan PlanTrial(std::span<const std::uint8_t> image) {
    TrialPlan plan;
    const FileResult<bios::ImageInspection> inspection = bios::InspectAwardImage(image);
    if (!inspection) {
        plan.chipset = bios::ChipsetFromText({});
        plan.logoProblem = inspection.error().reason.english();
        return plan;
    }
    plan.chipset = bios::ReadBoardChipset(inspection.value());
    const FileResult<bios::ImageLogo> logo =
        bios::FindLogo(inspection.value(), bios::LogoPlace::Boot);
    if (!logo) {
        plan.logoProblem = logo.error().reason.english();
        return plan;
    }
    plan.logo =
        TrialLogo{logo.value().kind, inspection.value().contents[logo.value().modules.back()].data};
    return plan;
}

std::string QemuMissing() {
#ifdef _WIN32
    return "Kalvero runs QEMU on Linux only";
#endif
    if (!FindQemu()) {
        return std::string("QEMU is not installed: install the Debian package ") + QemuPackage +
               " (apt install " + QemuPackage + ")";
    }
    if (!FindVgaBios()) {
        return std::string("SeaBIOS's VGA BIOS (vgabios-isavga.bin) is not installed: install "
                           "the Debian package seabios");
    }
    return {};
}

TrialResult TryBoot(std::span<const std::uint8_t> image, const TrialPlan& plan,
                    const TrialSettings& settings) {
    TrialResult result;
    if (std::string missing = QemuMissing(); !missing.empty()) {
        result.verdict = TrialVerdict::QemuUnusable;
        result.problem = std::move(missing);
        return result;
    }
    PrivateFolder folder;
    if (std::string problem = folder.create(); !problem.empty()) {
        result.verdict = TrialVerdict::QemuUnusable;
        result.problem = std::move(problem);
        return result;
    }
    if (const FileStatus copied = WriteFileAtomically(folder.path() / ImageName, image); !copied) {
        result.verdict = TrialVerdict::QemuUnusable;
        result.problem =
            "cannot write the private copy of the image: " + copied.error().reason.english();
        return result;
    }
    for (const std::string& processor : plan.chipset.processors) {
        result = BootOnce(folder.path(), plan, processor, *FindQemu(), *FindVgaBios(), settings);
        if (result.verdict != TrialVerdict::NotDrawn) {
            break;
        }
    }
    return result;
}

std::vector<std::string> DescribeTrial(const TrialPlan& plan, const TrialResult& result) {
    std::vector<std::string> lines;
    switch (result.verdict) {
    case TrialVerdict::Drawn:
        lines.push_back("the BIOS drew the logo after " + Seconds(result.seconds));
        break;
    case TrialVerdict::NotDrawn:
        lines.push_back(plan.logo ? "the BIOS did NOT draw the logo in " + Seconds(result.seconds)
                                  : "the BIOS did NOT draw a logo Kalvero can look for: " +
                                        plan.logoProblem);
        break;
    case TrialVerdict::QemuUnusable:
        return {"QEMU could not be used: " + result.problem};
    case TrialVerdict::Stopped:
        return {"stopped"};
    }
    if (plan.logo) {
        lines.push_back("logo: " + bios::DescribeLogo(plan.logo->kind).english());
    }
    lines.push_back("processor: " + result.processor);
    lines.push_back("last POST code: " + (result.postCode ? bios::DescribePostCode(*result.postCode)
                                                          : std::string("none")));
    if (result.machineReset) {
        lines.push_back("the BIOS reset the machine");
    }
    lines.push_back("chipset: " + bios::DescribeFit(plan.chipset));
    return lines;
}

} // namespace kalvero::qemu
