#include "tools/plughost/Commands.h"
#include "tools/plughost/FileBytes.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/StateStream.h"

#include <cstdio>
#include <cstring>

namespace plughost {

Status RunStateDump(const StateDumpOptions& options) {
    std::vector<std::uint8_t> bytes;
    if (Status s = ReadFileBytes(options.stateFile, bytes, kMaxStateBytes); !s)
        return s;
    if (bytes.empty())
        return Status::Fail("state file '" + options.stateFile + "' is empty");

    std::unique_ptr<Steinberg::Hosting::Module> module;
    PluginInstance plugin;
    if (Status s = OpenPlugin(options.bundle, module, plugin); !s)
        return s;
    std::vector<std::uint8_t> fresh;
    const bool sizeKnown = plugin.SaveState(fresh).ok();
    if (Status s = plugin.LoadState(bytes); !s)
        return Status::Fail("state file '" + options.stateFile + "': " + s.message());

    std::printf("State     %s: %zu bytes", options.stateFile.c_str(), bytes.size());
    if (sizeKnown && fresh.size() != bytes.size())
        std::printf(" (this plug-in writes %zu: the file may belong to another plug-in)",
                    fresh.size());
    std::printf("\n");
    if (bytes.size() >= 4) {
        // The last four bytes, little-endian: the host-bypass flag that ends the state.
        std::uint32_t flag = 0;
        for (int i = 3; i >= 0; --i)
            flag = (flag << 8) | bytes[bytes.size() - 4 + static_cast<size_t>(i)];
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
