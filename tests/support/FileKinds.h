#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace kalvero::test {

// Files of the kinds a write must never replace. Each returns false when this
// user cannot make one here (a device node needs root).
bool MakeFifo(const std::filesystem::path& path);
bool MakeSocket(const std::filesystem::path& path);
bool MakeNullDeviceCopy(const std::filesystem::path& path);

// Everything under a folder, links not followed, by name relative to it: the
// kind of each entry, with the bytes of a regular file ("file BYTES", or its
// length and a hash when longer than 16 bytes) or the target of a link
// ("link TARGET"); "folder", or "other" for a FIFO, socket or device, which
// are never opened.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

} // namespace kalvero::test
