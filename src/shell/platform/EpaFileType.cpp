#include "shell/platform/EpaFileType.h"

namespace kalvero {

std::string EpaOpenCommand(const std::string& programFolder) {
    // The runtime reports a drive's root with its "\" and other folders without.
    const bool endsWithSeparator = !programFolder.empty() && programFolder.back() == '\\';
    return programFolder + (endsWithSeparator ? "" : "\\") + "KALVERO.EXE \"%1\"";
}

std::string RegistrationErrorText(AssociationPart part) {
    switch (part) {
    case AssociationPart::Extension:
        return "Registration-Error ! [.EPA]";
    case AssociationPart::FileType:
        return "Registration-Error ! [(standard)=EPA]";
    case AssociationPart::OpenCommand:
        break;
    }
    return "Registration-Error ! [EPA_auto_file\\shell\\open\\command]";
}

void RegisterEpaFileType(Registry& registry, const std::string& programFolder,
                         const ShowRegistrationError& showError) {
    struct Entry {
        const char* key;
        std::string text;
        AssociationPart part;
    };
    const Entry entries[] = {
        {".EPA", "EPA_auto_file", AssociationPart::Extension},
        {"EPA_auto_file", "EPA", AssociationPart::FileType},
        {"EPA_auto_file\\shell\\open\\command", EpaOpenCommand(programFolder),
         AssociationPart::OpenCommand},
    };
    for (const Entry& entry : entries) {
        const std::optional<Registry::Key> key =
            registry.createKey(RegistryRoot::ClassesRoot, entry.key);
        if (!key) {
            continue; // a key that cannot be opened is skipped without a word
        }
        const bool written = registry.setValue(*key, "", entry.text);
        registry.closeKey(*key);
        if (!written) {
            showError(RegistrationErrorText(entry.part));
        }
    }
}

} // namespace kalvero
