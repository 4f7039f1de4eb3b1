#include "base/FileResult.h"

#include <cstdio>
#include <cstdlib>

namespace kalvero {

void FailResultAccess(const char* what) {
    std::fprintf(stderr, "kalvero: internal error: %s was used\n", what);
    std::abort();
}

} // namespace kalvero
