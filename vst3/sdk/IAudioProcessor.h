// The audio processor: arrangements, set-up and the block call.
#pragma once

#include "vst3/sdk/FUnknown.h"
#include "vst3/sdk/ProcessData.h"
#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

enum SymbolicSampleSizes { kSample32 = 0, kSample64 };
enum ProcessModes { kRealtime = 0, kPrefetch, kOffline };

inline constexpr uint32 kNoTail = 0;
inline constexpr uint32 kInfiniteTail = 0xFFFFFFFF;

// PClassInfo2::classFlags of an audio module class.
enum ComponentFlags { kDistributable = 1 << 0, kSimpleModeSupported = 1 << 1 };

inline constexpr FIDString kVstAudioEffectClass = "Audio Module Class";

#pragma pack(push, 16)

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    SampleRate sampleRate;
};

class IAudioProcessor : public FUnknown {
  public:
    virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                  SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                                 SpeakerArrangement& arr) = 0;
    virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 PLUGIN_API getLatencySamples() = 0;
    virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
    virtual tresult PLUGIN_API process(ProcessData& data) = 0;
    virtual uint32 PLUGIN_API getTailSamples() = 0;

    static constexpr FUID iid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};
};

class IAudioPresentationLatency : public FUnknown {
  public:
    virtual tresult PLUGIN_API setAudioPresentationLatencySamples(BusDirection dir, int32 busIndex,
                                                                  uint32 latencyInSamples) = 0;

    static constexpr FUID iid{0x309ECE78, 0xEB7D4FAE, 0x8B2225D9, 0x09FD08B6};
};

#pragma pack(pop)

static_assert(sizeof(ProcessSetup) == 24 && alignof(ProcessSetup) == 8);
static_assert(offsetof(ProcessSetup, processMode) == 0);
static_assert(offsetof(ProcessSetup, symbolicSampleSize) == 4);
static_assert(offsetof(ProcessSetup, maxSamplesPerBlock) == 8);
static_assert(offsetof(ProcessSetup, sampleRate) == 16);

} // namespace Steinberg::Vst
