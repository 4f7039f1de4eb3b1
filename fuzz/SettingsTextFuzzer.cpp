// The settings file: its parser, and the file registry reading a file of any
// bytes at the start of the editor.

#include "FuzzCheck.h"
#include "shell/platform/FileRegistry.h"
#include "shell/platform/RegistryText.h"
#include "shell/platform/SettingsStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace kalvero::fuzz {
namespace {

bool SameContents(const RegistryContents& a, const RegistryContents& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].root != b[i].root || a[i].subKey != b[i].subKey ||
            a[i].values.size() != b[i].values.size()) {
            return false;
        }
        for (std::size_t v = 0; v < a[i].values.size(); ++v) {
            if (a[i].values[v].name != b[i].values[v].name ||
                a[i].values[v].text != b[i].values[v].text) {
                return false;
            }
        }
    }
    return true;
}

const std::filesystem::path& SettingsFolder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("kalvero-fuzz-settings-" + std::to_string(::getpid()));
    return folder;
}

// One settings file for the whole run, rewritten for each input; its folder
// goes when the run ends.
const std::filesystem::path& SettingsFile() {
    static const std::filesystem::path file = [] {
        std::filesystem::create_directories(SettingsFolder());
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(SettingsFolder(), ec);
        });
        return SettingsFolder() / "settings";
    }();
    return file;
}

void CheckFileRegistry(std::string_view text) {
    std::FILE* file = std::fopen(SettingsFile().c_str(), "wb");
    Require(file != nullptr, "the settings file can be made");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);

    FileRegistry registry(SettingsFile());
    // Only a file that holds the key is read; a missing key would be created,
    // which is a write and not what is fuzzed here.
    const std::optional<Registry::Key> key =
        registry.openKey(RegistryRoot::CurrentUser, SettingsKey, RegistryAccess::QueryValue);
    if (key) {
        registry.closeKey(*key);
        static_cast<void>(LoadSettings(registry, OptionStates{}));
    }
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const RegistryContents contents = ParseRegistryText(text);
    // What is written reads back as the same contents.
    const std::string formatted = FormatRegistryText(contents);
    fuzz::Require(fuzz::SameContents(ParseRegistryText(formatted), contents),
                  "formatted settings read back the same");
    fuzz::CheckFileRegistry(text);
    return 0;
}
