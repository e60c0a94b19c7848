// libFuzzer over the .vstpreset reader: any bytes end in a result, never a crash, and a preset it
// accepts writes back to a file that reads the same.
#include "tools/plughost/PresetFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    plughost::PresetFile preset;
    if (!plughost::ParsePresetFile(bytes, preset).ok())
        return 0;
    plughost::PresetFile again;
    if (!plughost::ParsePresetFile(plughost::WritePresetFile(preset), again).ok() ||
        again.classId != preset.classId || again.componentState != preset.componentState ||
        again.controllerState != preset.controllerState)
        std::abort();
    return 0;
}
