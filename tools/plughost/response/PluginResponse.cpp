#include "tools/plughost/response/PluginResponse.h"

#include "tools/plughost/AudioDataSink.h"
#include "tools/plughost/AudioSource.h"
#include "tools/plughost/ParameterSetting.h"
#include "tools/plughost/ProgressBar.h"
#include "tools/plughost/RenderSession.h"

#include <algorithm>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kMostChannels = 8;

// The sweep on the channels being measured, silence on the others, without a copy per channel.
class SweepSource final : public AudioSource {
  public:
    SweepSource(const std::vector<double>& sweep, double rate, std::vector<bool> swept)
        : sweep(sweep), rate(rate), swept(std::move(swept)) {}

    int ChannelCount() const override { return static_cast<int>(swept.size()); }
    double SampleRate() const override { return rate; }
    std::int64_t FrameCount() const override { return static_cast<std::int64_t>(sweep.size()); }
    bool Swept(int channel) const { return swept[static_cast<size_t>(channel)]; }
    Status Read(double* const* channels, int frames, int& got) override {
        got = static_cast<int>(std::min(static_cast<size_t>(frames), sweep.size() - position));
        for (size_t c = 0; c < swept.size(); ++c) {
            if (swept[c])
                std::copy_n(sweep.begin() + static_cast<std::ptrdiff_t>(position), got,
                            channels[c]);
            else
                std::fill_n(channels[c], got, 0.0);
        }
        position += static_cast<size_t>(got);
        return Status::Ok();
    }

  private:
    const std::vector<double>& sweep;
    double rate;
    std::vector<bool> swept;
    size_t position = 0;
};

// One render of `input` through a new instance with the request's state and settings; `output`
// keeps the swept channels of the main output. The analysis transforms each whole, so they
// are held whole.
Status RenderPass(const Hosting::Module& module, const ResponseRequest& request, SweepSource& input,
                  AudioData& output, std::string& pluginName) {
    PluginInstance plugin;
    if (Status s = plugin.Create(module, request.bundle); !s)
        return s;
    pluginName = plugin.ClassInfo().name;
    std::vector<ParameterChange> changes;
    if (Status s = ResolveSettings(plugin, request.settings, changes); !s)
        return s;
    RenderSetup setup;
    setup.sampleRate = input.SampleRate();
    setup.precision = plugin.Processor()->canProcessSampleSize(kSample64) == kResultTrue ? 64 : 32;
    RenderSession session(plugin);
    if (Status s = session.Configure(input.ChannelCount(), setup); !s)
        return s;
    if (session.Layout().MainOutputChannels() < input.ChannelCount())
        return Status::Fail("the plug-in's main output has fewer channels than its input");
    if (request.state)
        if (Status s = ApplyStateFile(plugin, *request.state); !s)
            return s;
    if (Status s = session.Start(changes); !s)
        return s;
    std::vector<bool> keep(static_cast<size_t>(session.Layout().MainOutputChannels()), false);
    for (int c = 0; c < input.ChannelCount(); ++c)
        keep[static_cast<size_t>(c)] = input.Swept(c);
    AudioDataSink sink(output, session.Layout().MainOutputChannels(), setup.sampleRate, keep);
    ProgressBar silent(false);
    if (Status s = session.Run(input, sink, silent); !s)
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
        std::vector<bool> swept(static_cast<size_t>(channels));
        for (int c = 0; c < channels; ++c)
            swept[static_cast<size_t>(c)] = !request.separatePasses || c == pass;
        SweepSource input(excitation, request.sweep.sampleRate, swept);
        AudioData output;
        if (Status s = RenderPass(module, request, input, output, out.pluginName); !s)
            return s;
        for (int c = 0; c < channels; ++c)
            if (!request.separatePasses || c == pass)
                out.channels.push_back(sweep.Analyse(output.channels[static_cast<size_t>(c)]));
    }
    return Status::Ok();
}

} // namespace plughost
