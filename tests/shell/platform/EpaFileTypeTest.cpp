#include "shell/platform/EpaFileType.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

namespace kalvero {
namespace {

using Names = std::set<std::string>;
using Strings = std::vector<std::string>;

// Default values by key; keys in refuseCreate cannot be created, values of those in refuseSet
// cannot be set.
class FakeRegistry : public Registry {
public:
    std::optional<Key> openKey(RegistryRoot, const std::string&, RegistryAccess) override {
        return {};
    }
    std::optional<Key> createKey(RegistryRoot, const std::string& subKey) override {
        keys.push_back(subKey);
        return refuseCreate.contains(subKey) ? std::nullopt : std::optional(keys.size() - 1);
    }
    std::optional<std::string> queryValue(Key, const std::string&) override { return {}; }
    bool setValue(Key key, const std::string& name, const std::string& text) override {
        EXPECT_EQ(name, "");
        return !refuseSet.contains(keys.at(key)) && (values[keys.at(key)] = text, true);
    }
    void closeKey(Key) override {}

    Names refuseCreate, refuseSet;
    std::map<std::string, std::string> values;
    Strings keys; // by handle
};

TEST(RegisterEpaFileType, WritesTheThreeValuesAndReportsEachThatCannotBeSet) {
    const std::string e = ".EPA", f = "EPA_auto_file", c = "EPA_auto_file\\shell\\open\\command";
    const std::map<std::string, std::string> ours = {
        {e, "EPA_auto_file"}, {f, "EPA"}, {c, "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\""}};
    const std::string error = "Registration-Error ! [";
    const std::tuple<Names, Names, Strings> cases[] = {
        {{}, {}, {}},
        {{}, {e, f, c}, {error + ".EPA]", error + "(standard)=EPA]", error + c + "]"}},
        {{e}, {c}, {error + c + "]"}}, // no message for a key that cannot be created
    };
    for (const auto& [refuseCreate, refuseSet, messages] : cases) {
        FakeRegistry registry;
        registry.refuseCreate = refuseCreate;
        registry.refuseSet = refuseSet;
        registry.values[e] = "OtherEditor.Logo"; // replaced
        Strings shown;
        RegisterEpaFileType(registry, "C:\\Tools\\Kalvero",
                            [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(shown, messages);
        for (const auto& [key, text] : ours) {
            const bool refused = refuseCreate.contains(key) || refuseSet.contains(key);
            EXPECT_EQ(registry.values[key] == text, !refused) << key;
        }
    }
    EXPECT_EQ(EpaOpenCommand("C:\\"), "C:\\KALVERO.EXE \"%1\"");
}

} // namespace
} // namespace kalvero
