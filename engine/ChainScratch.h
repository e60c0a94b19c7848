#pragma once

#include "engine/Oversampler.h"

// The fast chain's work space for one chunk of frames, sized for the widest kernel. The engine
// state holds it, so that the audio thread neither allocates it nor carries it on its stack;
// nothing in it means anything from one block to the next. Every buffer holds channels A and B
// per position, and room for the frames a four-frame vector computes past the chunk, which
// nobody reads.
struct ChainScratch {
    static constexpr int ChunkFrames = 64;
    static constexpr int Overhang = 3;
    static constexpr int Frames = ChunkFrames + Overhang;
    static constexpr int History = Oversampler::HistoryCount;
    static constexpr int Window = Oversampler::TapCount;
    static constexpr int Fresh = Oversampler::NewCount;
    // The pushes a decimation reaches back before the newest one.
    static constexpr int PhaseTail = (Window + 1) / Fresh;

    alignas(64) double driven[Frames][2];
    alignas(64) double satHistory[History + Frames][2]; // pushed values times 4
    // The saturation's window by phase: satPhases[r][PhaseTail + p] is value r of push p, so
    // the values that neighbouring frames' decimations take from one tap lie side by side.
    alignas(64) double satPhases[Fresh][PhaseTail + Frames][2];
    alignas(64) double stage[Frames][2];
    alignas(64) double eqHistory[History + 2 * Frames][2];
    alignas(64) double eqWindow[Window + 2 * Fresh * Frames][2];
    // The equaliser's window again with each position beside the one a frame later, so that
    // one load serves two frames' decimation.
    alignas(64) double eqPairs[Window + 2 * Fresh * (Frames + 1)][4];
};
