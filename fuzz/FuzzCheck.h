#pragma once

#include <cstdio>
#include <cstdlib>

namespace kalvero::fuzz {

// A property every input must keep. A broken one aborts, so libFuzzer saves
// the input as a crash like any sanitizer report.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace kalvero::fuzz
