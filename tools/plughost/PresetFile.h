#pragma once

#include "tools/plughost/Status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plughost {

// The contents of a VST 3 preset file (.vstpreset) that plughost reads and writes: the class
// it belongs to and the two state blobs a host keeps for an instance. Other chunks a host may
// add (meta information, program data) are skipped on reading.
struct PresetFile {
    std::string classId; // 32 hex digits, as the header carries them
    std::optional<std::vector<std::uint8_t>> componentState;  // "Comp"
    std::optional<std::vector<std::uint8_t>> controllerState; // "Cont"
};

// Whether the bytes start with the format's magic "VST3".
bool HasPresetMagic(const std::vector<std::uint8_t>& bytes);
// Whether the file name ends in ".vstpreset" (in any case).
bool NamesPresetFile(const std::string& path);

// Checks the whole structure first: a damaged header, a chunk list or chunk that lies outside
// the file, or a preset without either state is refused with a message saying which.
Status ParsePresetFile(const std::vector<std::uint8_t>& bytes, PresetFile& out);

// The file as hosts write it: header, "Comp", "Cont" when present, then the chunk list.
std::vector<std::uint8_t> WritePresetFile(const PresetFile& preset);

} // namespace plughost
