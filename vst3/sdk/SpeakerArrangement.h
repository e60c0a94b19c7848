// Speaker bits and the arrangements built from them.
#pragma once

#include "vst3/sdk/VstTypes.h"

namespace Steinberg::Vst {

inline constexpr Speaker kSpeakerL = 1ull << 0;
inline constexpr Speaker kSpeakerR = 1ull << 1;
inline constexpr Speaker kSpeakerC = 1ull << 2;
inline constexpr Speaker kSpeakerLfe = 1ull << 3;
inline constexpr Speaker kSpeakerLs = 1ull << 4;
inline constexpr Speaker kSpeakerRs = 1ull << 5;
inline constexpr Speaker kSpeakerM = 1ull << 19;

namespace SpeakerArr {

inline constexpr SpeakerArrangement kEmpty = 0;
inline constexpr SpeakerArrangement kMono = kSpeakerM;
inline constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;
inline constexpr SpeakerArrangement k51 =
    kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLfe | kSpeakerLs | kSpeakerRs;

// One channel per set speaker bit.
constexpr int32 getChannelCount(SpeakerArrangement arr) {
    int32 count = 0;
    for (; arr != 0; arr &= arr - 1)
        ++count;
    return count;
}

} // namespace SpeakerArr

} // namespace Steinberg::Vst
