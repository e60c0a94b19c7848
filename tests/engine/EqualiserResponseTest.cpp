#include "tests/engine/ChainHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

namespace {

// Runs a sine of hz through both channels and returns the output level of each. Low cuts sit at
// 25 Hz so that the chain settles within a few periods of the slowest probe.
std::pair<double, double> ProbeLevels(ChainHarness chain, double hz) {
    const double rate = chain.sampleRate;
    const int settle = static_cast<int>(rate * 0.05 + 6.0 * rate / hz);
    const int frames = settle + std::max(4096, static_cast<int>(8.0 * rate / hz));
    std::vector<double> left = Sine(hz, 0.5, rate, frames), right = left;
    chain.Run(left, right);
    return {ToneAmplitude(left, settle, hz, rate), ToneAmplitude(right, settle, hz, rate)};
}

ChainHarness Flat(double rate) {
    ChainHarness chain(rate);
    chain.state.selectorMirror[LowCut][ChannelA] = 0.0;
    chain.state.selectorMirror[LowCut][ChannelB] = 0.0;
    return chain;
}

double Db(double ratio) {
    return 20.0 * std::log10(ratio);
}

} // namespace

// Each band, at each of its selector values, boosted on channel A and cut on channel B, measured
// against the same probe through the flat chain, which cancels the oversampler and output
// filters. The eight-times equaliser sees the host signal held for two of its samples; the
// image of that hold folds back at decimation and grows with the probe's share of the host
// rate, so the treble bands are measured at 192 kHz, and the high band's cut, which that image
// fills in, gets a looser bound.
TEST(EqualiserResponse, EveryBandPeaksAtItsSelectedFrequencyWithItsGain) {
    struct Band {
        EqBand band;
        const char* name;
        double hz[3];
        double gain;
        double rate;
        double boostTolerance;
        double cutTolerance;
    };
    const Band bands[] = {
        {LowBand, "low band", {20, 60, 40}, 18.0, 44100.0, 0.25, 0.25},
        {MidBand1, "mid band 1", {80, 120, 0}, 9.0, 44100.0, 0.25, 0.25},
        {MidBand2, "mid band 2", {400, 800, 630}, 4.5, 44100.0, 0.25, 0.25},
        {MidBand3, "mid band 3", {1000, 3000, 2000}, 4.5, 44100.0, 0.25, 0.25},
        {MidBand4, "mid band 4", {5000, 8000, 0}, 9.0, 192000.0, 0.25, 0.25},
        {HighBand, "high band", {12000, 15000, 20000}, 18.0, 192000.0, 0.75, 2.5},
    };
    std::map<std::pair<double, double>, std::pair<double, double>> flatLevels;
    const auto flat = [&](double rate, double hz) {
        const auto key = std::make_pair(rate, hz);
        if (!flatLevels.count(key))
            flatLevels[key] = ProbeLevels(Flat(rate), hz);
        return flatLevels[key];
    };

    for (const Band& b : bands) {
        for (int value = 0; value < 3; ++value) {
            const double hz = b.hz[value];
            if (hz == 0)
                continue;
            SCOPED_TRACE(testing::Message()
                         << b.name << ", selector " << value << " (" << hz << " Hz)");
            ChainHarness chain = Flat(b.rate);
            chain.state.selectorMirror[b.band][ChannelA] = value;
            chain.state.selectorMirror[b.band][ChannelB] = value;
            chain.state.gainMirror[b.band][ChannelA] = b.gain;
            chain.state.gainMirror[b.band][ChannelB] = -b.gain;

            double boost[3], cut[3]; // an octave below, at, an octave above the frequency
            for (int probe = 0; probe < 3; ++probe) {
                const double probeHz = hz * std::pow(2.0, probe - 1);
                const auto [a, bLevel] = ProbeLevels(chain, probeHz);
                const auto [flatA, flatB] = flat(b.rate, probeHz);
                boost[probe] = Db(a / flatA);
                cut[probe] = Db(bLevel / flatB);
            }
            EXPECT_NEAR(boost[1], b.gain, b.boostTolerance) << "boost at the frequency";
            EXPECT_NEAR(cut[1], -b.gain, b.cutTolerance) << "cut at the frequency";
            for (int side : {0, 2}) {
                EXPECT_GT(boost[1], boost[side] + 0.5)
                    << "boost peaks at the frequency, octave " << side - 1;
                EXPECT_LT(cut[1], cut[side] - 0.5)
                    << "cut is deepest at the frequency, octave " << side - 1;
            }
        }
    }
}

TEST(EqualiserResponse, LowCutSelectsTwentyFiveOrOneHertz) {
    ChainHarness at25 = Flat(44100.0);
    ChainHarness at1(44100.0); // the low cuts' default: 1 Hz
    const auto relative = [&](double hz) {
        return Db(ProbeLevels(at25, hz).first / ProbeLevels(at1, hz).first);
    };
    EXPECT_LT(relative(12.5), -9.0) << "an octave below 25 Hz";
    EXPECT_NEAR(relative(25.0), Db(0.667), 0.1) << "a corner at 25 Hz with Q 0.667";
    EXPECT_GT(relative(50.0), -1.0) << "an octave above 25 Hz";
}
