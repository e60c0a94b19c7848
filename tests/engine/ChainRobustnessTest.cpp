#include "engine/ProcessChain.h"
#include "engine/UpdateFilters.h"

#include "tests/engine/ChainHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

int FirstNonFinite(const std::vector<double>& x, int from = 0) {
    for (size_t i = static_cast<size_t>(from); i < x.size(); ++i)
        if (!std::isfinite(x[i]))
            return static_cast<int>(i);
    return -1;
}

} // namespace

TEST(ChainRobustness, LoudInputStaysFiniteAtAnyRateAndBlockSize) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> loud(-1e6, 1e6);
    for (double rate : {1234.5678, 22050.0, 44100.0, 384000.0}) {
        for (int block : {0, 1, 37, 512, 8192}) {
            for (int midSide : {0, 1}) {
                SCOPED_TRACE(testing::Message()
                             << rate << " Hz, block " << block << ", MS " << midSide);
                ChainHarness chain(rate);
                chain.switches = {midSide, 0, midSide}; // both oversampling settings along the way
                chain.state.driveMirror = -20.0;
                for (int band = 0; band < GainBandCount; ++band) {
                    chain.state.gainMirror[band][ChannelA] = 18.0;
                    chain.state.gainMirror[band][ChannelB] = -18.0;
                    chain.state.selectorMirror[band][ChannelA] = 2.0; // the highest frequencies
                }
                chain.state.outputGainMirror[ChannelA] = 12.0;
                const int frames = block == 0 ? 0 : std::max(block, 2048);
                std::vector<double> left(static_cast<size_t>(frames)), right(left.size());
                for (int i = 0; i < frames; ++i) {
                    left[i] = (i / 64) % 2 ? 1e6 : loud(random); // bursts of full-scale DC
                    right[i] = i % 2 ? -1e6 : 1e6;               // Nyquist at full scale
                }
                chain.Run(left, right, std::max(block, 1));
                ASSERT_EQ(FirstNonFinite(left), -1);
                ASSERT_EQ(FirstNonFinite(right), -1);
                EXPECT_EQ(chain.state.ResetNonFiniteState(), 0) << "no state had to be cleared";
            }
        }
    }
}

TEST(ChainRobustness, NonFiniteInputSamplesDoNotPoisonTheOutput) {
    for (int oversampling : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "oversampling " << oversampling);
        ChainHarness chain;
        chain.switches.oversampling = oversampling;
        std::vector<double> left = Sine(440.0, 0.8, 44100.0, 1024), right = left;
        left[100] = std::nan("");
        right[100] = HUGE_VAL;
        right[101] = -HUGE_VAL;
        chain.Run(left, right);
        EXPECT_EQ(FirstNonFinite(left), -1);
        EXPECT_EQ(FirstNonFinite(right), -1);
    }
}

TEST(ChainRobustness, NonFiniteStateRecoversByTheNextBlock) {
    ChainHarness chain;
    std::vector<double> left = Sine(440.0, 0.8, 44100.0, 1024), right = left;
    chain.Run(left, right);
    const double healthyZ1 = chain.state.eq[LowBand][ChannelB].z1;
    chain.state.eq[MidBand2][ChannelA].z1 = std::nan(""); // as left by a corrupted design
    chain.state.satOversampler[ChannelB].NewValues()[0] = HUGE_VAL;

    EXPECT_EQ(chain.state.ResetNonFiniteState(), 2) << "exactly the two poisoned parts";
    EXPECT_EQ(chain.state.eq[MidBand2][ChannelA].z1, 0.0);
    EXPECT_EQ(chain.state.eq[LowBand][ChannelB].z1, healthyZ1) << "a healthy section is left alone";

    // The same through the chain: the poisoned block may go wrong, the next one may not.
    chain.state.eq[HighBand][ChannelA].z2 = HUGE_VAL;
    std::vector<double> poisoned = left, poisonedRight = right;
    chain.Run(poisoned, poisonedRight);
    EXPECT_NE(FirstNonFinite(poisoned), -1) << "the poison should have reached the output";
    std::vector<double> nextLeft = left, nextRight = right;
    chain.Run(nextLeft, nextRight);
    EXPECT_EQ(FirstNonFinite(nextLeft), -1);
    EXPECT_EQ(FirstNonFinite(nextRight), -1);
}
