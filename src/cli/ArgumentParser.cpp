#include "cli/ArgumentParser.h"

#include <algorithm>

namespace kalvero::cli {
namespace {

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

} // namespace

ArgumentParser::ArgumentParser(std::vector<const Option*> options) : options_(std::move(options)) {}

std::optional<std::string> ArgumentParser::parse(std::span<const std::string> arguments) {
    given_.clear();
    operands_.clear();
    while (!arguments.empty()) {
        const std::string& argument = arguments.front();
        arguments = arguments.subspan(1);
        std::optional<std::string> problem;
        if (argument == "--") {
            operands_.insert(operands_.end(), arguments.begin(), arguments.end());
            break;
        }
        if (argument.starts_with("--")) {
            problem = takeLong(std::string_view(argument).substr(2), arguments);
        } else if (argument.size() > 1 && argument[0] == '-') {
            problem = takeShort(std::string_view(argument).substr(1), arguments);
        } else {
            operands_.push_back(argument);
        }
        if (problem) {
            return problem;
        }
    }
    return std::nullopt;
}

bool ArgumentParser::isSet(const Option& option) const {
    return given_.contains(&option);
}

const std::string& ArgumentParser::value(const Option& option) const {
    static const std::string none;
    const auto found = given_.find(&option);
    return found == given_.end() ? none : found->second;
}

const Option* ArgumentParser::findLong(std::string_view name) const {
    const auto found = std::find_if(options_.begin(), options_.end(),
                                    [&](const Option* option) { return option->longName == name; });
    return found == options_.end() ? nullptr : *found;
}

const Option* ArgumentParser::findShort(char name) const {
    const auto found = std::find_if(options_.begin(), options_.end(), [&](const Option* option) {
        return option->shortName == name;
    });
    return found == options_.end() ? nullptr : *found;
}

std::optional<std::string> ArgumentParser::takeLong(std::string_view argument,
                                                    std::span<const std::string>& rest) {
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const Option* option = findLong(name);
    const std::string shown = "--" + std::string(name);
    if (option == nullptr) {
        return "unknown option " + Quoted(shown);
    }
    if (option->valueName.empty()) {
        if (equals != std::string_view::npos) {
            return "option " + Quoted(shown) + " takes no value";
        }
        given_[option].clear();
        return std::nullopt;
    }
    if (equals != std::string_view::npos) {
        given_[option] = std::string(argument.substr(equals + 1));
        return std::nullopt;
    }
    if (rest.empty()) {
        return "option " + Quoted(shown) + " needs a value (" + std::string(option->valueName) +
               ")";
    }
    given_[option] = rest.front();
    rest = rest.subspan(1);
    return std::nullopt;
}

std::optional<std::string> ArgumentParser::takeShort(std::string_view letters,
                                                     std::span<const std::string>& rest) {
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const Option* option = findShort(letters[i]);
        const std::string shown = std::string("-") + letters[i];
        if (option == nullptr) {
            return "unknown option " + Quoted(shown);
        }
        if (option->valueName.empty()) {
            given_[option].clear();
            continue;
        }
        // The rest of the argument is the value, or else the next argument.
        if (i + 1 < letters.size()) {
            given_[option] = std::string(letters.substr(i + 1));
        } else if (rest.empty()) {
            return "option " + Quoted(shown) + " needs a value (" + std::string(option->valueName) +
                   ")";
        } else {
            given_[option] = rest.front();
            rest = rest.subspan(1);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace kalvero::cli
