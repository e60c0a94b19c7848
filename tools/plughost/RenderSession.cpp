#include "tools/plughost/RenderSession.h"

#include "vst3/sdk/IParameterChanges.h"
#include "vst3/sdk/ProcessContext.h"
#include "vst3/sdk/ProcessData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <type_traits>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kTempo = 120;

std::string SetupText(const RenderSetup& setup) {
    char text[96];
    std::snprintf(text, sizeof(text), "%g Hz, %d-bit samples, blocks of %d", setup.sampleRate,
                  setup.precision, setup.blockSize);
    return text;
}

// Sample buffers for every channel of every bus in one direction, with the pointer tables
// and bus records process() reads.
template <class Sample> struct BusBuffers {
    std::vector<std::vector<std::vector<Sample>>> samples;
    std::vector<std::vector<Sample*>> pointers;
    std::vector<AudioBusBuffers> buses;

    void Allocate(const std::vector<int>& channelsPerBus, int blockSize) {
        samples.resize(channelsPerBus.size());
        pointers.resize(channelsPerBus.size());
        buses.resize(channelsPerBus.size());
        for (size_t b = 0; b < channelsPerBus.size(); ++b) {
            const auto channels = static_cast<size_t>(std::max(0, channelsPerBus[b]));
            samples[b].assign(channels, std::vector<Sample>(static_cast<size_t>(blockSize), 0));
            pointers[b].resize(channels);
            buses[b] = {};
        }
        Clear();
    }

    // Zeroes the samples and restores the tables, which a careless plug-in may have changed.
    void Clear() {
        for (size_t b = 0; b < samples.size(); ++b) {
            for (size_t c = 0; c < samples[b].size(); ++c) {
                std::fill(samples[b][c].begin(), samples[b][c].end(), Sample(0));
                pointers[b][c] = samples[b][c].data();
            }
            buses[b].numChannels = static_cast<int32>(samples[b].size());
            buses[b].silenceFlags = 0;
            if constexpr (std::is_same_v<Sample, float>)
                buses[b].channelBuffers32 = pointers[b].data();
            else
                buses[b].channelBuffers64 = pointers[b].data();
        }
    }
};

} // namespace

Status RenderSession::Configure(int fileChannels, const RenderSetup& wanted) {
    setup = wanted;
    const int32 size = setup.precision == 64 ? kSample64 : kSample32;
    if (plugin.Processor()->canProcessSampleSize(size) != kResultTrue)
        return Status::Fail("the plug-in cannot process " + std::to_string(setup.precision) +
                            "-bit samples");
    if (Status s = NegotiateBuses(plugin.Component(), plugin.Processor(), fileChannels, layout); !s)
        return s;
    ProcessSetup processSetup{};
    processSetup.processMode = setup.realtime ? kRealtime : kOffline;
    processSetup.symbolicSampleSize = size;
    processSetup.maxSamplesPerBlock = setup.blockSize;
    processSetup.sampleRate = setup.sampleRate;
    if (plugin.Processor()->setupProcessing(processSetup) != kResultOk)
        return Status::Fail("the plug-in refuses the processing set-up: " + SetupText(setup));
    return Status::Ok();
}

Status RenderSession::Start(const std::vector<ParameterChange>& changes) {
    firstChanges->clear();
    for (const ParameterChange& change : changes) {
        plugin.Controller()->setParamNormalized(change.id, change.normalized);
        int32 queueIndex = 0;
        int32 pointIndex = 0;
        IParamValueQueue* queue = firstChanges->addParameterData(change.id, queueIndex);
        queue->addPoint(0, change.normalized, pointIndex);
    }
    if (plugin.Component()->setActive(1) != kResultOk)
        return Status::Fail("the plug-in refused to activate");
    active = true;
    const tresult started = plugin.Processor()->setProcessing(1);
    if (started != kResultOk && started != kNotImplemented)
        return Status::Fail("the plug-in refused to start processing");
    processing = true;
    return Status::Ok();
}

void RenderSession::Stop() {
    if (processing)
        plugin.Processor()->setProcessing(0);
    if (active)
        plugin.Component()->setActive(0);
    processing = active = false;
}

Status RenderSession::Run(AudioSource& input, AudioSink& output, ProgressBar& progress) {
    if (setup.precision == 64)
        return RunBlocks<double>(input, output, progress);
    return RunBlocks<float>(input, output, progress);
}

template <class Sample>
Status RenderSession::RunBlocks(AudioSource& input, AudioSink& output, ProgressBar& progress) {
    const std::int64_t frames = input.FrameCount();
    const int block = setup.blockSize;
    BusBuffers<Sample> ins;
    BusBuffers<Sample> outs;
    ins.Allocate(layout.inputChannels, block);
    outs.Allocate(layout.outputChannels, block);
    // The file's side of each block, in doubles, allocated once.
    const int fileChannels = input.ChannelCount();
    const auto outputChannels = static_cast<size_t>(layout.MainOutputChannels());
    std::vector<std::vector<double>> fileIn(static_cast<size_t>(fileChannels),
                                            std::vector<double>(static_cast<size_t>(block)));
    std::vector<std::vector<double>> fileOut(outputChannels,
                                             std::vector<double>(static_cast<size_t>(block)));
    std::vector<double*> fileInPointers;
    for (auto& channel : fileIn)
        fileInPointers.push_back(channel.data());
    std::vector<const double*> fileOutPointers;
    for (const auto& channel : fileOut)
        fileOutPointers.push_back(channel.data());
    nonFinite = 0;
    framesProcessed = 0;

    ProcessContext context{};
    context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid |
                    ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid |
                    ProcessContext::kContTimeValid;
    context.sampleRate = setup.sampleRate;
    context.tempo = kTempo;
    context.timeSigNumerator = 4;
    context.timeSigDenominator = 4;

    ProcessData data{};
    data.processMode = setup.realtime ? kRealtime : kOffline;
    data.symbolicSampleSize = setup.precision == 64 ? kSample64 : kSample32;
    data.numInputs = static_cast<int32>(ins.buses.size());
    data.numOutputs = static_cast<int32>(outs.buses.size());
    data.inputs = ins.buses.empty() ? nullptr : ins.buses.data();
    data.outputs = outs.buses.data();
    data.outputParameterChanges = outputChanges.get();
    data.inputEvents = inputEvents.get();
    data.outputEvents = outputEvents.get();
    data.processContext = &context;

    for (std::int64_t position = 0;; position += block) {
        int count = 0;
        if (Status s = input.Read(fileInPointers.data(), block, count); !s)
            return s;
        if (count == 0)
            break;
        ins.Clear();
        outs.Clear();
        if (!ins.samples.empty())
            for (size_t c = 0; c < ins.samples[0].size(); ++c) {
                const int source = layout.duplicateMono ? 0 : static_cast<int>(c);
                if (source >= fileChannels)
                    continue;
                const double* from = fileIn[static_cast<size_t>(source)].data();
                std::transform(from, from + count, ins.samples[0][c].begin(),
                               [](double v) { return static_cast<Sample>(v); });
            }

        data.numSamples = count;
        data.inputParameterChanges = position == 0 ? firstChanges.get() : noChanges.get();
        outputChanges->clear();
        outputEvents->clear();
        context.projectTimeSamples = position;
        context.continousTimeSamples = position;
        context.projectTimeMusic = static_cast<double>(position) / setup.sampleRate * kTempo / 60;
        if (plugin.Processor()->process(data) != kResultOk)
            return Status::Fail("the plug-in failed to process the block at sample " +
                                std::to_string(position));

        for (size_t c = 0; c < outputChannels; ++c) {
            const Sample* from = outs.samples[0][c].data();
            double* to = fileOut[c].data();
            for (int i = 0; i < count; ++i) {
                const double v = static_cast<double>(from[i]);
                if (std::isfinite(v)) {
                    to[i] = v;
                } else {
                    to[i] = 0;
                    ++nonFinite;
                }
            }
        }
        if (Status s = output.Write(fileOutPointers.data(), count); !s)
            return s;
        framesProcessed = position + count;
        progress.Update(framesProcessed, std::max(frames, framesProcessed));
        if (count < block)
            break;
    }
    progress.Finish();
    return Status::Ok();
}

} // namespace plughost
