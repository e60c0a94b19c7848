#include "tools/plughost/response/PluginResponse.h"

#include "tools/plughost/ParameterSetting.h"
#include "tools/plughost/ProgressBar.h"
#include "tools/plughost/RenderSession.h"

#include <algorithm>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kMostChannels = 8;

// One render of `input` through a new instance with the request's state and settings.
Status RenderPass(const Hosting::Module& module, const ResponseRequest& request,
                  const AudioData& input, AudioData& output, std::string& pluginName) {
    PluginInstance plugin;
    if (Status s = plugin.Create(module, request.bundle); !s)
        return s;
    pluginName = plugin.ClassInfo().name;
    std::vector<ParameterChange> changes;
    if (Status s = ResolveSettings(plugin, request.settings, changes); !s)
        return s;
    RenderSetup setup;
    setup.sampleRate = input.sampleRate;
    setup.precision = plugin.Processor()->canProcessSampleSize(kSample64) == kResultTrue ? 64 : 32;
    RenderSession session(plugin);
    if (Status s = session.Configure(input.ChannelCount(), setup); !s)
        return s;
    if (request.state)
        if (Status s = ApplyStateFile(plugin, *request.state); !s)
            return s;
    if (Status s = session.Start(changes); !s)
        return s;
    ProgressBar silent(false);
    if (Status s = session.Run(input, output, silent); !s)
        return s;
    session.Stop();
    return Status::Ok();
}

// The main input's channel count, asked of a throw-away instance before any set-up.
Status MainChannels(const Hosting::Module& module, const std::string& bundle, int& channels) {
    PluginInstance plugin;
    if (Status s = plugin.Create(module, bundle); !s)
        return s;
    BusInfo info{};
    channels = plugin.Component()->getBusCount(kAudio, kInput) > 0 &&
                       plugin.Component()->getBusInfo(kAudio, kInput, 0, info) == kResultOk
                   ? std::clamp<int>(info.channelCount, 0, kMostChannels)
                   : 0;
    if (channels < 1)
        return Status::Fail("the plug-in has no audio input to measure a response through");
    return Status::Ok();
}

} // namespace

Status MeasurePlugin(const Hosting::Module& module, const ResponseRequest& request,
                     PluginResponse& out) {
    out = PluginResponse{};
    int channels = 0;
    if (Status s = MainChannels(module, request.bundle, channels); !s)
        return s;
    const SweepMeasurement sweep(request.sweep);
    const std::vector<double>& excitation = sweep.Excitation();

    const int passes = request.separatePasses ? channels : 1;
    for (int pass = 0; pass < passes; ++pass) {
        AudioData input;
        input.sampleRate = request.sweep.sampleRate;
        input.channels.assign(static_cast<size_t>(channels),
                              std::vector<double>(excitation.size(), 0.0));
        for (int c = 0; c < channels; ++c)
            if (!request.separatePasses || c == pass)
                input.channels[static_cast<size_t>(c)] = excitation;
        AudioData output;
        if (Status s = RenderPass(module, request, input, output, out.pluginName); !s)
            return s;
        if (output.ChannelCount() < channels)
            return Status::Fail("the plug-in's main output has fewer channels than its input");
        for (int c = 0; c < channels; ++c)
            if (!request.separatePasses || c == pass)
                out.channels.push_back(sweep.Analyse(output.channels[static_cast<size_t>(c)]));
    }
    return Status::Ok();
}

} // namespace plughost
