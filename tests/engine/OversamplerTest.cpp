#include "engine/Oversampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double* const t = Oversampler::Taps;

std::vector<double> PushAndCollect(Oversampler& over, double x) {
    over.Push(x);
    const double* fresh = over.NewValues();
    return {fresh, fresh + Oversampler::NewCount};
}

} // namespace

TEST(Oversampler, TapsFormASymmetricQuarterBandLowPass) {
    double sum = 0.0;
    for (int k = 0; k < Oversampler::TapCount; ++k) {
        sum += t[k];
        EXPECT_EQ(t[k], t[30 - k]) << "tap " << k << " breaks the symmetry";
        if ((k - 15) % 4 == 0 && k != 15) {
            EXPECT_EQ(t[k], 0.0) << "tap " << k << " should be zero";
        }
    }
    EXPECT_NEAR(sum, 1.0, 1e-12) << "the taps should sum to 1";
}

TEST(Oversampler, ImpulseComesOutAsFourTimesTheTaps) {
    Oversampler over;
    EXPECT_EQ(over.Decimate(), 0.0) << "a fresh object";
    std::vector<double> stream;
    for (int push = 0; push < 9; ++push) {
        const std::vector<double> fresh = PushAndCollect(over, push == 0 ? 1.0 : 0.0);
        stream.insert(stream.end(), fresh.begin(), fresh.end());
    }
    for (int k = 0; k < 36; ++k)
        EXPECT_NEAR(stream[k], k < 31 ? 4.0 * t[k] : 0.0, 1e-15) << "high-rate value " << k;
}

TEST(Oversampler, ConstantInputSettlesAtThePhaseGains) {
    const double c = -0.37;
    Oversampler over;
    std::vector<double> fresh;
    for (int push = 0; push < 8; ++push)
        fresh = PushAndCollect(over, c);
    const double phaseGain[4] = {0.99894, 0.99738, 0.99894, 1.00474};
    for (int p = 0; p < 4; ++p)
        EXPECT_NEAR(fresh[p] / c, phaseGain[p], 1e-5) << "phase " << p;

    // Decimation of a window that holds c everywhere, as after the owner rewrote it.
    for (int push = 0; push < 8; ++push) {
        over.Push(0.0);
        for (int k = 0; k < Oversampler::NewCount; ++k)
            over.NewValues()[k] = c;
    }
    EXPECT_NEAR(over.Decimate(), c, 1e-14);
}

TEST(Oversampler, NonFiniteStateIsClearedAndFiniteStateKept) {
    Oversampler over;
    over.Push(0.5);
    EXPECT_FALSE(over.ResetIfNonFinite());
    EXPECT_NE(over.Decimate(), 0.0) << "finite state must survive";
    over.Push(HUGE_VAL);
    EXPECT_TRUE(over.ResetIfNonFinite());
    for (int k = 0; k < Oversampler::TapCount; ++k)
        EXPECT_EQ(over.Window()[k], 0.0) << "w[" << k << "]";
    const std::vector<double> fresh = PushAndCollect(over, 1.0);
    EXPECT_EQ(fresh[0], 4.0 * t[0]) << "the history must be clear too";
}
