#pragma once

#include "tools/plughost/StateFile.h"
#include "tools/plughost/Status.h"
#include "tools/plughost/response/SweepMeasurement.h"
#include "vst3/hosting/Module.h"

#include <string>
#include <vector>

namespace plughost {

struct ResponseRequest {
    std::string bundle;
    std::vector<std::string> settings; // NAME=VALUE, as render --set takes them
    const StateFile* state = nullptr;  // loaded before the settings apply
    SweepSettings sweep;
    // Each channel swept in a pass of its own with the others silent, which gives the
    // channel's own response whatever the plug-in mixes between channels (mid/side); else all
    // channels at once, half the work where the channels are independent.
    bool separatePasses = true;
};

struct PluginResponse {
    std::string pluginName;
    std::vector<ChannelResponse> channels; // one per main input channel, at most eight
};

// Sweeps a fresh instance of the module's effect per pass, rendered as `plughost render`
// renders (64-bit samples where the plug-in takes them), and analyses each output channel.
Status MeasurePlugin(const Steinberg::Hosting::Module& module, const ResponseRequest& request,
                     PluginResponse& out);

} // namespace plughost
