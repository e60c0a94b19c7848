#include "tools/plughost/BusLayout.h"

#include "vst3/sdk/SpeakerArrangement.h"

#include <string>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kMaxBusChannels = 64;

constexpr SpeakerArrangement kUsualArrangements[] = {
    SpeakerArr::kEmpty,
    SpeakerArr::kMono,
    SpeakerArr::kStereo,
    kSpeakerL | kSpeakerR | kSpeakerC,
    kSpeakerL | kSpeakerR | kSpeakerLs | kSpeakerRs,
    kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLs | kSpeakerRs,
    SpeakerArr::k51,
};

std::vector<int> ChannelCounts(IComponent* component, BusDirection direction) {
    std::vector<int> counts;
    const int32 buses = component->getBusCount(kAudio, direction);
    for (int32 i = 0; i < buses; ++i) {
        BusInfo info{};
        counts.push_back(
            component->getBusInfo(kAudio, direction, i, info) == kResultOk ? info.channelCount : 0);
    }
    return counts;
}

std::vector<SpeakerArrangement> CurrentArrangements(IAudioProcessor* processor,
                                                    BusDirection direction, size_t buses) {
    std::vector<SpeakerArrangement> arrangements(buses, SpeakerArr::kEmpty);
    for (size_t i = 0; i < buses; ++i)
        if (processor->getBusArrangement(direction, static_cast<int32>(i), arrangements[i]) !=
            kResultOk)
            arrangements[i] = SpeakerArr::kEmpty;
    return arrangements;
}

std::string ChannelWord(int channels) {
    return std::to_string(channels) + (channels == 1 ? " channel" : " channels");
}

} // namespace

SpeakerArrangement ArrangementForChannels(int channels) {
    if (channels < 0)
        return SpeakerArr::kEmpty;
    if (channels < static_cast<int>(std::size(kUsualArrangements)))
        return kUsualArrangements[channels];
    return channels >= 64 ? ~SpeakerArrangement{0} : (SpeakerArrangement{1} << channels) - 1;
}

Status NegotiateBuses(IComponent* component, IAudioProcessor* processor, int fileChannels,
                      BusLayout& layout) {
    layout = {};
    std::vector<int> inputs = ChannelCounts(component, kInput);
    std::vector<int> outputs = ChannelCounts(component, kOutput);
    if (outputs.empty())
        return Status::Fail("the plug-in has no audio output bus");

    const int offered = inputs.empty() ? 0 : inputs[0];
    const bool duplicateMono = fileChannels == 1 && offered == 2;
    const int wanted = duplicateMono ? 2 : fileChannels;

    if (!inputs.empty()) {
        std::vector<SpeakerArrangement> ins = CurrentArrangements(processor, kInput, inputs.size());
        std::vector<SpeakerArrangement> outs =
            CurrentArrangements(processor, kOutput, outputs.size());
        const SpeakerArrangement currentOut = outs[0];
        ins[0] = ArrangementForChannels(wanted);
        outs[0] = ArrangementForChannels(wanted);
        auto propose = [&] {
            return processor->setBusArrangements(ins.data(), static_cast<int32>(ins.size()),
                                                 outs.data(), static_cast<int32>(outs.size()));
        };
        // An effect whose output differs from its input (mono in, stereo out) gets a second
        // proposal that keeps its own output.
        if (propose() != kResultOk && currentOut != outs[0]) {
            outs[0] = currentOut;
            propose();
        }
        // The answer alone is not trusted: some plug-ins refuse a proposal of the layout they
        // already have. What counts is the layout the buses report afterwards.
        inputs = ChannelCounts(component, kInput);
        outputs = ChannelCounts(component, kOutput);
        if (inputs.empty() || inputs[0] != wanted || outputs.empty()) {
            if (fileChannels > offered)
                return Status::Fail("the input has " + ChannelWord(fileChannels) +
                                    " but the plug-in takes at most " + ChannelWord(offered));
            return Status::Fail("the plug-in refuses a bus layout of " + ChannelWord(wanted) +
                                " in and out");
        }
    }
    if (outputs[0] < 1)
        return Status::Fail("the plug-in's main output bus has no channels");
    // An arrangement holds at most 64 speakers; a larger count is a broken answer, not a
    // reason to allocate for it.
    for (const std::vector<int>* counts : {&inputs, &outputs})
        for (int channels : *counts)
            if (channels < 0 || channels > kMaxBusChannels)
                return Status::Fail("the plug-in reports a bus of " + std::to_string(channels) +
                                    " channels");

    for (size_t i = 0; i < inputs.size(); ++i)
        component->activateBus(kAudio, kInput, static_cast<int32>(i), 1);
    for (size_t i = 0; i < outputs.size(); ++i)
        component->activateBus(kAudio, kOutput, static_cast<int32>(i), 1);
    layout.inputChannels = inputs;
    layout.outputChannels = outputs;
    layout.duplicateMono = duplicateMono;
    return Status::Ok();
}

} // namespace plughost
