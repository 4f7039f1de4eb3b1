#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace kalvero {

enum class Language { English, German };

// One language's text of a reason as written where the reason is made: a
// string literal in which each "{}" stands for the next part.
template <std::size_t N> struct ReasonPattern {
    consteval ReasonPattern(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            chars[i] = text[i];
        }
    }
    constexpr std::string_view view() const { return {chars, N - 1}; }
    // Plain loops: GCC cannot evaluate string_view's searches at compile time
    // in a build with sanitizers.
    constexpr bool empty() const { return N <= 1; }
    constexpr std::size_t partCount() const {
        std::size_t count = 0;
        for (std::size_t at = 0; at + 2 < N; ++at) {
            if (chars[at] == '{' && chars[at + 1] == '}') {
                ++count;
                ++at;
            }
        }
        return count;
    }
    template <std::size_t M> constexpr bool sameText(const ReasonPattern<M>& other) const {
        if (M != N) {
            return false;
        }
        for (std::size_t at = 0; at < N; ++at) {
            if (chars[at] != other.chars[at]) {
                return false;
            }
        }
        return true;
    }
    char chars[N]{};
};

// Why something failed or what a user must know, in English and in German,
// both made in one place from the same parts, so that no reason exists in
// one language only: Reason::of<"wrong size: {} bytes", "falsche Größe: {}
// Bytes">(length). The compiler refuses a pair that is empty, the same in
// both languages (unless it only joins reasons: "{}, {}"), or that takes
// another number of parts than it is given.
// A part is a number, a text the same in both languages (a file name, an
// offset) or a Reason, which fills its slot in the matching language.
class Reason {
public:
    Reason() = default;

    template <ReasonPattern English, ReasonPattern German, typename... Parts>
    static Reason of(const Parts&... parts) {
        static_assert(!English.empty() && !German.empty(),
                      "a reason needs an English and a German text");
        static_assert(!English.sameText(German) ||
                          (sizeof...(Parts) > 0 && (std::is_same_v<Parts, Reason> && ...)),
                      "the German text is the English one (only joined reasons may read alike)");
        static_assert(English.partCount() == sizeof...(Parts) &&
                          German.partCount() == sizeof...(Parts),
                      "both texts take every part once");
        Reason reason;
        reason.english_ = fill(English.view(), {partIn(parts, Language::English)...});
        reason.german_ = fill(German.view(), {partIn(parts, Language::German)...});
        return reason;
    }

    // A reason made elsewhere and carried here as its two texts (from the
    // picture module, which is loaded as a library of its own).
    static Reason carried(std::string english, std::string german) {
        Reason reason;
        reason.english_ = std::move(english);
        reason.german_ = std::move(german);
        return reason;
    }

    const std::string& in(Language language) const {
        return language == Language::German ? german_ : english_;
    }
    const std::string& english() const { return english_; }
    const std::string& german() const { return german_; }
    bool empty() const { return english_.empty(); }

    // Appends more's texts, each to the text in its language.
    Reason& operator+=(const Reason& more);
    friend Reason operator+(Reason reason, const Reason& more) { return reason += more; }
    friend bool operator==(const Reason&, const Reason&) = default;

private:
    template <typename Part> static std::string partIn(const Part& part, Language language) {
        if constexpr (std::is_same_v<Part, Reason>) {
            return part.in(language);
        } else if constexpr (std::is_arithmetic_v<Part>) {
            return std::to_string(part);
        } else {
            return std::string(part);
        }
    }
    static std::string fill(std::string_view pattern, std::initializer_list<std::string> parts);

    std::string english_;
    std::string german_;
};

} // namespace kalvero
