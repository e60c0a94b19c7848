#include "engine/BiquadSection.h"

#include "tests/engine/ChainHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

BiquadSection Designed(int kind, double Fc, double Q, double gain) {
    BiquadSection section;
    section.kind = kind;
    section.Fc = Fc;
    section.Q = Q;
    section.gain = gain;
    section.Design();
    return section;
}

// Gain of a sine at `fraction` of the section's rate, measured over the second half of at least
// sixteen periods.
double SineGain(BiquadSection section, double fraction) {
    const int frames = std::max(8192, static_cast<int>(16.0 / fraction));
    std::vector<double> out = Sine(fraction, 0.5, 1.0, frames);
    for (double& v : out)
        v = section.Process(v);
    return ToneAmplitude(out, frames / 2, fraction, 1.0) / 0.5;
}

} // namespace

TEST(BiquadSection, PeakMovesItsCentreByItsGainInBothDirections) {
    for (double Fc : {0.01, 0.05, 0.1134}) {
        for (double gain : {18.0, 4.5, -4.5, -18.0}) {
            SCOPED_TRACE(testing::Message() << "Fc " << Fc << ", gain " << gain << " dB");
            const BiquadSection peak = Designed(BiquadSection::Peak, Fc, 0.667, gain);
            EXPECT_NEAR(20.0 * std::log10(SineGain(peak, Fc)), gain, 0.01) << "level at the centre";
            EXPECT_NEAR(SineGain(peak, 0.49), 1.0, 0.02) << "near the Nyquist frequency";
        }
    }
}

TEST(BiquadSection, ZeroGainPeakPassesInputApartFromSinglePrecision) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> sample(-2.0, 2.0);
    for (double Fc : {0.001, 0.05, 0.25, 0.4}) {
        BiquadSection peak = Designed(BiquadSection::Peak, Fc, 0.667, 0.0);
        for (int i = 0; i < 2000; ++i) {
            const double x = sample(random);
            ASSERT_EQ(peak.Process(x), static_cast<double>(static_cast<float>(x)))
                << "sample " << i << " at Fc " << Fc;
        }
    }
}

TEST(BiquadSection, HighPassCornerFollowsFc) {
    const double rate = 8 * 44100.0;
    const BiquadSection cut25 = Designed(BiquadSection::HighPass, 25.0 / rate, 0.667, 1.0);
    const BiquadSection cut1 = Designed(BiquadSection::HighPass, 1.0 / rate, 0.667, 1.0);
    EXPECT_NEAR(SineGain(cut25, 25.0 / rate * 64), 1.0, 0.01) << "25 Hz cut at 1.6 kHz";
    EXPECT_NEAR(SineGain(cut25, 25.0 / rate), 0.667, 0.01) << "25 Hz cut at its corner (Q)";
    EXPECT_LT(SineGain(cut25, 5.0 / rate), 0.05) << "25 Hz cut at 5 Hz";
    EXPECT_NEAR(SineGain(cut1, 25.0 / rate), 1.0, 0.01) << "1 Hz cut at 25 Hz";
}

TEST(BiquadSection, StaysStableWhereTanOfPiFcBreaksDown) {
    const double nan = std::nan("");
    for (double Fc : {0.5, 0.506, 1.0, 2.025, 1e300, 0.0, -0.2, nan}) {
        for (int kind : {BiquadSection::HighPass, BiquadSection::Peak}) {
            for (double gain : {18.0, -18.0}) {
                SCOPED_TRACE(testing::Message()
                             << "Fc " << Fc << ", kind " << kind << ", gain " << gain);
                BiquadSection section = Designed(kind, Fc, 0.667, gain);
                double late = 0.0;
                for (int i = 0; i < 20000; ++i) {
                    const double y = section.Process(i % 7 == 0 ? 1e6 : -1e5);
                    ASSERT_TRUE(std::isfinite(y)) << "at sample " << i;
                    if (i >= 19000)
                        late = std::max(late, std::fabs(y));
                }
                EXPECT_LT(late, 1e8) << "output keeps growing";
            }
        }
    }
}
