#pragma once

#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoReplacer.h"

#include <string>
#include <vector>

namespace kalvero::bios {

// The lines of `bios list`: size and layout, the fixed blocks, each chain
// with its free room and modules, the checks and the logo's kind.
std::vector<std::string> ListImage(const ImageInspection& inspection);

// The lines of `bios verify`: one a check, "NAME: holds|FAILS|not used: DETAIL".
std::vector<std::string> CheckLines(const std::vector<CheckResult>& checks);

// One line for `info`: "Award BIOS image, 256 KiB, layout B (...), logo EPA 2.0, ...".
std::string DescribeAwardImage(const ImageInspection& inspection);

// What a replacement changes (or would change, for a dry run).
std::vector<std::string> DescribePlan(const ReplacementPlan& plan);

} // namespace kalvero::bios
