#include "tools/plughost/Commands.h"
#include "tools/plughost/InfoReport.h"
#include "tools/plughost/ModuleDescription.h"
#include "tools/plughost/PluginInstance.h"

#include <cstdio>

namespace plughost {

Status RunInfo(const InfoOptions& options) {
    std::unique_ptr<Steinberg::Hosting::Module> module;
    if (Status s = LoadBundle(options.bundle, module); !s)
        return s;
    PluginInstance plugin;
    if (Status s = plugin.Create(*module, options.bundle); !s)
        return s;
    const ModuleDescription description = DescribeModule(options.bundle, *module, plugin);
    const std::string text = options.json ? InfoJson(description) : InfoText(description);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return Status::Ok();
}

} // namespace plughost
