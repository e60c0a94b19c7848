#pragma once

#include "tools/plughost/Status.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"

#include <vector>

namespace plughost {

// The audio buses a render feeds, after the plug-in agreed to them. Bus 0 in each direction is
// the main bus that carries the file; further buses get silence in and are ignored out.
struct BusLayout {
    std::vector<int> inputChannels;  // per audio input bus
    std::vector<int> outputChannels; // per audio output bus
    // The file is mono and the plug-in's main input stereo: channel 0 feeds both.
    bool duplicateMono = false;

    int MainInputChannels() const { return inputChannels.empty() ? 0 : inputChannels[0]; }
    int MainOutputChannels() const { return outputChannels.empty() ? 0 : outputChannels[0]; }
};

// The usual speaker arrangement for a channel count (mono, stereo, ..., 5.1).
Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels);

// Proposes main buses shaped for a file of `fileChannels` channels (a mono file to a stereo
// plug-in keeps the stereo layout), then reads back what the plug-in settled on and activates
// every audio bus.
Status NegotiateBuses(Steinberg::Vst::IComponent* component,
                      Steinberg::Vst::IAudioProcessor* processor, int fileChannels,
                      BusLayout& layout);

} // namespace plughost
