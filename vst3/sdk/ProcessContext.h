// Transport and timing record handed to process().
#pragma once

#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

#pragma pack(push, 16)

struct FrameRate {
    enum FrameRateFlags { kPullDownRate = 1 << 0, kDropRate = 1 << 1 };

    uint32 framesPerSecond;
    uint32 flags;
};

struct Chord {
    enum Masks { kChordMask = 0x0FFF, kReservedMask = 0xF000 };

    uint8 keyNote;
    uint8 rootNote;
    int16 chordMask;
};

struct ProcessContext {
    enum StatesAndFlags {
        kPlaying = 1 << 1,
        kCycleActive = 1 << 2,
        kRecording = 1 << 3,
        kSystemTimeValid = 1 << 8,
        kProjectTimeMusicValid = 1 << 9,
        kTempoValid = 1 << 10,
        kBarPositionValid = 1 << 11,
        kCycleValid = 1 << 12,
        kTimeSigValid = 1 << 13,
        kSmpteValid = 1 << 14,
        kClockValid = 1 << 15,
        kContTimeValid = 1 << 17,
        kChordValid = 1 << 18,
    };

    uint32 state;
    SampleRate sampleRate;
    TSamples projectTimeSamples;
    int64 systemTime;
    TSamples continousTimeSamples;
    TQuarterNotes projectTimeMusic;
    TQuarterNotes barPositionMusic;
    TQuarterNotes cycleStartMusic;
    TQuarterNotes cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

#pragma pack(pop)

static_assert(sizeof(FrameRate) == 8 && alignof(FrameRate) == 4);
static_assert(offsetof(FrameRate, framesPerSecond) == 0 && offsetof(FrameRate, flags) == 4);

static_assert(sizeof(Chord) == 4 && alignof(Chord) == 2);
static_assert(offsetof(Chord, keyNote) == 0 && offsetof(Chord, rootNote) == 1);
static_assert(offsetof(Chord, chordMask) == 2);

static_assert(sizeof(ProcessContext) == 112 && alignof(ProcessContext) == 8);
static_assert(offsetof(ProcessContext, state) == 0);
static_assert(offsetof(ProcessContext, sampleRate) == 8);
static_assert(offsetof(ProcessContext, projectTimeSamples) == 16);
static_assert(offsetof(ProcessContext, systemTime) == 24);
static_assert(offsetof(ProcessContext, continousTimeSamples) == 32);
static_assert(offsetof(ProcessContext, projectTimeMusic) == 40);
static_assert(offsetof(ProcessContext, barPositionMusic) == 48);
static_assert(offsetof(ProcessContext, cycleStartMusic) == 56);
static_assert(offsetof(ProcessContext, cycleEndMusic) == 64);
static_assert(offsetof(ProcessContext, tempo) == 72);
static_assert(offsetof(ProcessContext, timeSigNumerator) == 80);
static_assert(offsetof(ProcessContext, timeSigDenominator) == 84);
static_assert(offsetof(ProcessContext, chord) == 88);
static_assert(offsetof(ProcessContext, smpteOffsetSubframes) == 92);
static_assert(offsetof(ProcessContext, frameRate) == 96);
static_assert(offsetof(ProcessContext, samplesToNextClock) == 104);

} // namespace Steinberg::Vst
