#include "editor/QemuTexts.h"

#include "document/FileNames.h"

namespace kalvero {
namespace {

bool German(Language language) {
    return language == Language::German;
}

} // namespace

std::string BootInQemuCaption(Language language, bool qemuMissing) {
    if (qemuMissing) {
        return German(language) ? "In QEMU starten: erst qemu-system-x86 installieren"
                                : "Boot in QEMU: install qemu-system-x86 first";
    }
    return German(language) ? "In &QEMU starten" : "Boot in &QEMU";
}

std::string BootingText(Language language, const std::string& path) {
    return German(language) ? FileTitle(path) + " startet in QEMU ..."
                            : "Booting " + FileTitle(path) + " in QEMU ...";
}

std::string BootVerdictText(Language language, bool drawn) {
    if (drawn) {
        return German(language) ? "Das BIOS des Boards hat das Logo gezeichnet."
                                : "The board's BIOS drew the logo.";
    }
    return German(language) ? "Das BIOS des Boards hat das Logo NICHT gezeichnet."
                            : "The board's BIOS did NOT draw the logo.";
}

MessageText QemuUnusableNotice(Language language, const std::string& reason) {
    return {
        German(language) ? "In QEMU starten" : "Boot in QEMU",
        (German(language) ? "QEMU konnte nicht verwendet werden: " : "QEMU could not be used: ") +
            reason};
}

} // namespace kalvero
