#include "engine/ProcessChain.h"
#include "engine/SaturationCurves.h"
#include "engine/UpdateFilters.h"

#include "tests/engine/ChainHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

std::vector<double> Noise(int frames, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    std::vector<double> x(static_cast<size_t>(frames));
    for (double& v : x)
        v = sample(random);
    return x;
}

} // namespace

TEST(ProcessChain, DefaultSettingsKeepAFullScaleSineAtItsLevel) {
    for (int oversampling : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "oversampling " << oversampling);
        ChainHarness chain;
        chain.switches.oversampling = oversampling;
        std::vector<double> left = Sine(1000.0, 1.0, 44100.0, 22050), right = left;
        chain.Run(left, right);
        EXPECT_NEAR(PeakMagnitude(left, 11025), 1.002, 0.003);
        EXPECT_NEAR(ToneAmplitude(right, 11025, 1000.0, 44100.0), 1.0, 0.003);
    }
}

TEST(ProcessChain, DriveStageLimitsAtTheEndOfTheCurve) {
    const double limit = PositiveCurve[CurveEntries - 1] * std::pow(10.0, 20.5 / 20.0);
    for (int oversampling : {0, 1}) {
        for (double amplitude : {1.0, 10.0, 1000.0}) {
            SCOPED_TRACE(testing::Message()
                         << "oversampling " << oversampling << ", amplitude " << amplitude);
            ChainHarness chain;
            chain.state.driveMirror = -20.0;
            chain.switches.oversampling = oversampling;
            std::vector<double> left = Sine(1000.0, amplitude, 44100.0, 22050), right = left;
            chain.Run(left, right);
            if (amplitude == 1.0) {
                EXPECT_NEAR(PeakMagnitude(left, 11025), limit, 0.005)
                    << "a sine that just reaches the end";
            } else {
                // Clipped to a square wave at the limit, whose fundamental is 4 / pi of it.
                EXPECT_NEAR(ToneAmplitude(left, 11025, 1000.0, 44100.0),
                            4.0 / std::numbers::pi * limit, 0.005);
            }
        }
    }
}

TEST(ProcessChain, BypassCopiesTheInputWhileTheChainKeepsRunning) {
    const std::vector<double> left = Noise(1024, 1), right = Noise(1024, 2);
    ChainHarness bypassedFirst, processedThroughout;
    bypassedFirst.switches.bypass = 1;
    std::vector<double> l1(left.begin(), left.begin() + 512),
        r1(right.begin(), right.begin() + 512);
    bypassedFirst.Run(l1, r1);
    for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(l1[i], left[i]) << "left sample " << i;
        ASSERT_EQ(r1[i], right[i]) << "right sample " << i;
    }

    // Leaving bypass continues from states that followed the signal.
    bypassedFirst.switches.bypass = 0;
    std::vector<double> l2(left.begin() + 512, left.end()), r2(right.begin() + 512, right.end());
    bypassedFirst.Run(l2, r2);
    std::vector<double> l = left, r = right;
    processedThroughout.Run(l, r);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(l2[i], l[512 + i]) << "sample " << i << " after bypass";
}

TEST(ProcessChain, MidSideWithIdenticalChannelsEqualisesTheMidOnly) {
    ChainHarness plain;
    plain.switches.midSide = 0;
    ChainHarness sideBoosted = plain;
    sideBoosted.state.gainMirror[MidBand3][ChannelB] = 4.5;
    std::vector<double> l1 = Sine(1000.0, 0.7, 44100.0, 4096), r1 = l1, l2 = l1, r2 = l1;
    plain.Run(l1, r1);
    sideBoosted.Run(l2, r2);
    for (int i = 0; i < 4096; ++i) {
        ASSERT_NEAR(l1[i], r1[i], 1e-8) << "sample " << i << ": the side is silent";
        ASSERT_NEAR(l2[i], l1[i], 1e-8) << "sample " << i << ": a side boost changes nothing";
    }
    EXPECT_NEAR(ToneAmplitude(l1, 2048, 1000.0, 44100.0), 0.7, 0.01)
        << "the mid carries the signal";
    EXPECT_LT(std::fabs(sideBoosted.state.eqOversampler[ChannelB].Decimate()), 1e-8)
        << "channel B holds the offset only";
}

TEST(ProcessChain, MidSideDecodesBackToLeftAndRight) {
    ChainHarness chain;
    chain.switches.midSide = 0;
    std::vector<double> left = Sine(1000.0, 0.5, 44100.0, 8192),
                        right = Sine(300.0, 0.5, 44100.0, 8192);
    chain.Run(left, right);
    EXPECT_NEAR(ToneAmplitude(left, 4096, 1000.0, 44100.0), 0.5, 0.01) << "left keeps its tone";
    EXPECT_NEAR(ToneAmplitude(right, 4096, 300.0, 44100.0), 0.5, 0.01) << "right keeps its tone";
    EXPECT_LT(ToneAmplitude(left, 4096, 300.0, 44100.0), 1e-3) << "right's tone leaked into left";
}

// Clipping a 7 kHz tone makes a fifth harmonic at 35 kHz, which the host rate folds to 9.1 kHz.
TEST(ProcessChain, OversampledSaturationKeepsHarmonicsFromFoldingBack) {
    double folded[2];
    for (int oversampling : {0, 1}) {
        ChainHarness chain;
        chain.state.driveMirror = -20.0;
        chain.switches.oversampling = oversampling;
        std::vector<double> left = Sine(7000.0, 3.0, 44100.0, 8192), right = left;
        chain.Run(left, right);
        folded[oversampling] = ToneAmplitude(left, 4096, 9100.0, 44100.0);
    }
    EXPECT_GT(folded[0], 0.03) << "at the host rate the harmonic folds back";
    EXPECT_LT(folded[1], folded[0] / 100.0) << "four times oversampled it should not";
}

TEST(ProcessChain, InputsOfOppositeSignMeetDifferentCurves) {
    ChainHarness chain;
    std::vector<double> positive(256, 0.5), negative(256, -0.5);
    chain.Run(positive, negative);
    for (int i = 16; i < 256; i += 16) {
        const double ratio = positive[i] / -negative[i];
        EXPECT_GT(ratio, 1.00002) << "sample " << i << ": the positive half is the louder one";
        EXPECT_LT(ratio, 1.001) << "sample " << i << ": but only slightly";
    }
}

TEST(ProcessChain, InPlaceProcessingMatchesSeparateBuffers) {
    EngineState separate;
    separate.driveMirror = -30.0;
    separate.gainMirror[HighBand][ChannelA] = 6.0;
    EngineState inPlace = separate;
    const std::vector<double> left = Noise(300, 3), right = Noise(300, 4);
    std::vector<double> outLeft(300), outRight(300), ioLeft = left, ioRight = right;
    const double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    double* io[2] = {ioLeft.data(), ioRight.data()};
    const ChainSwitches switches{0, 0, 1};
    UpdateFilters(separate, 44100.0);
    UpdateFilters(inPlace, 44100.0);
    ProcessChain(separate, switches, inputs, outputs, 300);
    ProcessChain(inPlace, switches, io, io, 300);
    EXPECT_EQ(ioLeft, outLeft);
    EXPECT_EQ(ioRight, outRight);
}
