#include "tools/plughost/Commands.h"
#include "tools/plughost/InfoReport.h"
#include "tools/plughost/ModuleDescription.h"
#include "tools/plughost/PluginInstance.h"

#include <cstdio>

namespace plughost {

Status RunInfo(const InfoOptions& options) {
    std::unique_ptr<Steinberg::Hosting::Module> module;
    PluginInstance plugin;
    if (Status s = OpenPlugin(options.bundle, module, plugin); !s)
        return s;
    const ModuleDescription description = DescribeModule(options.bundle, *module, plugin);
    const std::string text = options.json ? InfoJson(description) : InfoText(description);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return Status::Ok();
}

} // namespace plughost
