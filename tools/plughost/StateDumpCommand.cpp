#include "tools/plughost/Commands.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/StateFile.h"

#include <cstdio>
#include <cstring>

namespace plughost {

Status RunStateDump(const StateDumpOptions& options) {
    StateFile file;
    if (Status s = ReadStateFile(options.stateFile, file); !s)
        return s;

    std::unique_ptr<Steinberg::Hosting::Module> module;
    PluginInstance plugin;
    if (Status s = OpenPlugin(options.bundle, module, plugin); !s)
        return s;
    std::vector<std::uint8_t> fresh;
    const bool sizeKnown = plugin.SaveState(fresh).ok();
    if (Status s = ApplyStateFile(plugin, file); !s)
        return s;

    // What the controller's setState took: the raw file, or the preset's controller chunk.
    const std::vector<std::uint8_t>* state = file.ControllerBytes();
    if (file.isPreset) {
        std::printf("Preset    %s: VST 3 preset of class %s\n", options.stateFile.c_str(),
                    file.preset.classId.c_str());
        if (file.preset.componentState)
            std::printf("Component %zu bytes\n", file.preset.componentState->size());
        if (state)
            std::printf("Controller %zu bytes\n", state->size());
    } else {
        std::printf("State     %s: %zu bytes", options.stateFile.c_str(), state->size());
        if (sizeKnown && fresh.size() != state->size())
            std::printf(" (this plug-in writes %zu: the file may belong to another plug-in)",
                        fresh.size());
        std::printf("\n");
    }
    if (state && state->size() >= 4) {
        // The last four bytes, little-endian: the host-bypass flag that ends the state.
        std::uint32_t flag = 0;
        for (int i = 3; i >= 0; --i)
            flag = (flag << 8) | (*state)[state->size() - 4 + static_cast<size_t>(i)];
        std::printf("Bypass    %u (trailing 32-bit flag)\n", flag);
    }
    std::printf("Parameters\n");
    for (const ParameterEntry& p : plugin.Parameters()) {
        const double normalized = plugin.Controller()->getParamNormalized(p.info.id);
        const std::string text = plugin.ValueText(p.info.id, normalized);
        // An untitled parameter is named by its id, as --set accepts it.
        char name[24];
        if (p.title.empty())
            std::snprintf(name, sizeof(name), "#%u", p.info.id);
        if (text.empty())
            std::printf("  %-16s @%.4f\n", p.title.empty() ? name : p.title.c_str(), normalized);
        else
            std::printf("  %-16s %s%s%s\n", p.title.empty() ? name : p.title.c_str(), text.c_str(),
                        p.units.empty() ? "" : " ", p.units.c_str());
    }
    return Status::Ok();
}

} // namespace plughost
