// Lets a processor tell the host which ProcessContext fields it reads.
#pragma once

#include "vst3/sdk/FUnknown.h"

namespace Steinberg::Vst {

#pragma pack(push, 16)

class IProcessContextRequirements : public FUnknown {
  public:
    enum Flags {
        kNeedSystemTime = 1 << 0,
        kNeedContinousTimeSamples = 1 << 1,
        kNeedProjectTimeMusic = 1 << 2,
        kNeedBarPositionMusic = 1 << 3,
        kNeedCycleMusic = 1 << 4,
        kNeedSamplesToNextClock = 1 << 5,
        kNeedTempo = 1 << 6,
        kNeedTimeSignature = 1 << 7,
        kNeedChord = 1 << 8,
        kNeedFrameRate = 1 << 9,
        kNeedTransportState = 1 << 10,
    };

    virtual uint32 PLUGIN_API getProcessContextRequirements() = 0;

    static constexpr FUID iid{0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0};
};

#pragma pack(pop)

} // namespace Steinberg::Vst
