#pragma once

#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/ModuleReplacer.h"

#include <string>
#include <vector>

namespace kalvero::bios {

// The lines of `bios list`: size and layout, the fixed blocks, each chain
// with its free room and modules, the checks, and the logo and the
// full-screen logo with their kind, packed size and free room, then the
// areas behind the chains (DescribeAreas).
std::vector<std::string> ListImage(const ImageInspection& inspection);

// The lines of `bios verify`: one a check, "NAME: holds|FAILS|not used", with
// ": DETAIL" where it fails or details are asked for ("hold" and "FAIL" for
// the header sums and the CRCs).
std::vector<std::string> CheckLines(const std::vector<CheckResult>& checks, bool details);

// One line for `info`: "Award BIOS image, 256 KiB, layout B (...), logo: EPA 2.0, ...".
std::string DescribeAwardImage(const ImageInspection& inspection);

// What a replacement of the logo at place changes (or would change, for a dry run).
std::vector<std::string> DescribePlan(const ReplacementPlan& plan, LogoPlace place);

} // namespace kalvero::bios
