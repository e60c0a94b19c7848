// The block record handed to process().
#pragma once

#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

class IParameterChanges;
class IEventList;
struct ProcessContext;

#pragma pack(push, 16)

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags; // bit n: channel n is all zeros
    // ProcessData::symbolicSampleSize decides which member is valid.
    union {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    // Each of these may be null.
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

#pragma pack(pop)

static_assert(sizeof(AudioBusBuffers) == 24 && alignof(AudioBusBuffers) == 8);
static_assert(offsetof(AudioBusBuffers, numChannels) == 0);
static_assert(offsetof(AudioBusBuffers, silenceFlags) == 8);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) == 16);
static_assert(offsetof(AudioBusBuffers, channelBuffers64) == 16);

static_assert(sizeof(ProcessData) == 80 && alignof(ProcessData) == 8);
static_assert(offsetof(ProcessData, processMode) == 0);
static_assert(offsetof(ProcessData, symbolicSampleSize) == 4);
static_assert(offsetof(ProcessData, numSamples) == 8);
static_assert(offsetof(ProcessData, numInputs) == 12);
static_assert(offsetof(ProcessData, numOutputs) == 16);
static_assert(offsetof(ProcessData, inputs) == 24);
static_assert(offsetof(ProcessData, outputs) == 32);
static_assert(offsetof(ProcessData, inputParameterChanges) == 40);
static_assert(offsetof(ProcessData, outputParameterChanges) == 48);
static_assert(offsetof(ProcessData, inputEvents) == 56);
static_assert(offsetof(ProcessData, outputEvents) == 64);
static_assert(offsetof(ProcessData, processContext) == 72);

} // namespace Steinberg::Vst
