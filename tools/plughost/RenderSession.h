#pragma once

#include "tools/plughost/AudioSink.h"
#include "tools/plughost/AudioSource.h"
#include "tools/plughost/BusLayout.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/ProgressBar.h"
#include "tools/plughost/Status.h"
#include "vst3/hosting/EventList.h"
#include "vst3/hosting/ParameterChanges.h"

#include <cstdint>
#include <vector>

namespace plughost {

struct RenderSetup {
    double sampleRate = 48000;
    int blockSize = 512;
    int precision = 32;
    bool realtime = false;
};

// A parameter value to deliver with the first block.
struct ParameterChange {
    Steinberg::Vst::ParamID id = 0;
    Steinberg::Vst::ParamValue normalized = 0;
};

// Drives one instance through a render the way a host does: bus layout and set-up, activation,
// block-by-block processing, deactivation. The steps are separate so the caller can load a
// state between set-up and activation.
class RenderSession {
  public:
    explicit RenderSession(PluginInstance& plugin) : plugin(plugin) {}
    ~RenderSession() { Stop(); }
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    // Agrees the bus layout for a file of `fileChannels` channels and calls setupProcessing.
    Status Configure(int fileChannels, const RenderSetup& setup);
    // Activates the plug-in; `changes` reach it through the first block's parameter changes
    // (and the controller at once).
    Status Start(const std::vector<ParameterChange>& changes);
    // Processes everything `input` delivers, a block at a time; `output` gets the main output
    // bus, block for block, MainOutputChannels() of them.
    Status Run(AudioSource& input, AudioSink& output, ProgressBar& progress);
    // Stops processing and deactivates; safe to call at any time.
    void Stop();

    const BusLayout& Layout() const { return layout; }
    // Output samples that were NaN or infinite and were written as 0.
    std::int64_t NonFiniteSamples() const { return nonFinite; }
    // Frames the last Run processed.
    std::int64_t FramesProcessed() const { return framesProcessed; }

  private:
    template <class Sample>
    Status RunBlocks(AudioSource& input, AudioSink& output, ProgressBar& progress);

    PluginInstance& plugin;
    RenderSetup setup;
    BusLayout layout;
    bool active = false;
    bool processing = false;
    std::int64_t nonFinite = 0;
    std::int64_t framesProcessed = 0;
    using Changes = Steinberg::Hosting::ParameterChanges;
    using Events = Steinberg::Hosting::EventList;
    Steinberg::IPtr<Changes> firstChanges = Steinberg::IPtr<Changes>::adopt(new Changes);
    Steinberg::IPtr<Changes> noChanges = Steinberg::IPtr<Changes>::adopt(new Changes);
    Steinberg::IPtr<Changes> outputChanges = Steinberg::IPtr<Changes>::adopt(new Changes);
    Steinberg::IPtr<Events> inputEvents = Steinberg::IPtr<Events>::adopt(new Events);
    Steinberg::IPtr<Events> outputEvents = Steinberg::IPtr<Events>::adopt(new Events);
};

} // namespace plughost
