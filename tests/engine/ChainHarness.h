#pragma once

#include "engine/EngineState.h"
#include "engine/ProcessChain.h"

#include <vector>

// Drives the chain the way the plug-in does: per block, redesign the equaliser, then process.
struct ChainHarness {
    EngineState state;
    ChainSwitches switches;
    double sampleRate = 44100.0;

    // The mirrors of a freshly initialised plug-in: every gain 0 dB, drive -40 dB, every
    // selector 0 but the low cuts at 1 (1 Hz).
    explicit ChainHarness(double sampleRate = 44100.0);

    // Processes left and right in place, in blocks of blockFrames.
    void Run(std::vector<double>& left, std::vector<double>& right, int blockFrames = 512);
};

std::vector<double> Sine(double hz, double amplitude, double sampleRate, int frames);

// Amplitude of the hz component of x[from..], by a least-squares fit of sine, cosine and offset.
double ToneAmplitude(const std::vector<double>& x, int from, double hz, double sampleRate);

double PeakMagnitude(const std::vector<double>& x, int from);
