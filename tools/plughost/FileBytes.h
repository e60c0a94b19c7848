#pragma once

#include "tools/plughost/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

// Reads a whole file; one larger than `limit` bytes is refused. Messages call it a
// "`kind`file" (kind "audio " gives "cannot read audio file 'x': ...").
Status ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::int64_t limit,
                     const std::string& kind = "");

// Writes under a temporary name beside `path` and renames it into place once complete.
Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace plughost
