// Automation and signal fuzz: sample rates from 1.2 kHz to 768 kHz and odd ones, a new block
// size (0 to 8192) every block, every parameter automated every block with values inside and
// outside 0..1, NaN and infinity; input noise at 1 and 1e6, NaN and infinity bursts,
// subnormals, then silence. Two instances run the same blocks, one in place and one out of
// place: their outputs must agree bit for bit, stay finite, stay inside the block, and carry no
// subnormal once the input has been silent for a while.
#include "tests/conformance/ConformanceHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Conformance;

namespace {

constexpr int kMaxBlock = 8192;
constexpr Vst::ParamID kOwnBypass = 15;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Signal { Noise, LoudNoise, Bursts, Subnormal, Silence };

double AutomationValue(std::mt19937& random) {
    const double odd[] = {-0.5, 1.5, -1e9, 1e9, kNaN, kInf, -kInf, 0.0, 1.0};
    if (random() % 8 == 0)
        return odd[random() % std::size(odd)];
    return std::uniform_real_distribution<double>(0.0, 1.0)(random);
}

double InputSample(Signal signal, std::mt19937& random, int frame, int channel) {
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    switch (signal) {
    case Signal::Noise:
        return noise(random);
    case Signal::LoudNoise:
        return 1e6 * noise(random);
    case Signal::Bursts:
        if ((frame / 7 + channel) % 5 == 0)
            return frame % 3 == 0 ? kNaN : (frame % 3 == 1 ? kInf : -kInf);
        return noise(random);
    case Signal::Subnormal:
        return std::numeric_limits<float>::denorm_min() * (1 + random() % 1000) *
               (frame % 2 ? 1 : -1);
    case Signal::Silence:
        return 0.0;
    }
    return 0.0;
}

bool Subnormal(double value, bool doublePrecision) {
    const double smallest = doublePrecision ? std::numeric_limits<double>::min()
                                            : std::numeric_limits<float>::min();
    return value != 0.0 && std::fabs(value) < smallest;
}

// Runs `blocks` blocks at `rate` through an in-place and an out-of-place instance.
void Fuzz(double rate, bool doublePrecision, int blocks, unsigned seed) {
    SCOPED_TRACE(testing::Message() << rate << " Hz, " << (doublePrecision ? 64 : 32) << "-bit");
    Plugin inPlace = Create(), outOfPlace = Create();
    ASSERT_TRUE(Start(inPlace, rate, kMaxBlock, doublePrecision));
    ASSERT_TRUE(Start(outOfPlace, rate, kMaxBlock, doublePrecision));
    GuardedBlock a(kMaxBlock, 2, doublePrecision, true);
    GuardedBlock b(kMaxBlock, 2, doublePrecision, false);
    std::mt19937 random(seed);
    IPtr<Hosting::ParameterChanges> changes =
        IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);

    const int settleBlocks = 8; // silent blocks after which no subnormal may come out
    for (int i = 0; i < blocks + settleBlocks + 2; ++i) {
        const bool tail = i >= blocks;
        const Signal signal = tail ? (i < blocks + 2 ? Signal::Subnormal : Signal::Silence)
                                   : static_cast<Signal>(random() % 5);
        const int frames = tail ? 512 : static_cast<int>(random() % (kMaxBlock + 1));
        changes->clear();
        if (!tail) {
            for (Vst::ParamID id = 0; id < kCoreParameters; ++id) {
                int32 index = 0;
                changes->addParameterData(id, index)->addPoint(0, AutomationValue(random),
                                                               index);
            }
            int32 index = 0;
            if (random() % 4 == 0)
                changes->addParameterData(kBypassId, index)->addPoint(0, AutomationValue(random),
                                                                      index);
        }
        for (int n = 0; n < frames; ++n)
            for (int c = 0; c < 2; ++c) {
                const double x = InputSample(signal, random, n, c);
                a.SetInput(c, n, x);
                b.SetInput(c, n, x);
            }
        ASSERT_EQ(inPlace.processor->process(a.Data(frames, changes.get())), kResultOk);
        ASSERT_EQ(outOfPlace.processor->process(b.Data(frames, changes.get())), kResultOk);

        std::string where;
        ASSERT_TRUE(a.GuardsIntact(frames, where)) << "block " << i << ", in place: " << where;
        ASSERT_TRUE(b.GuardsIntact(frames, where)) << "block " << i << ": " << where;
        // A bypass (the host's, or the plug-in's own "BY") hands the input on as it came.
        const bool bypassed = outOfPlace.controller->getParamNormalized(kBypassId) > 0.5 ||
                              outOfPlace.controller->getParamNormalized(kOwnBypass) > 0.5;
        if (!bypassed || signal != Signal::Bursts) {
            ASSERT_TRUE(OutputFinite(b, frames, where)) << "block " << i << ": " << where;
        }
        for (int c = 0; c < 2; ++c)
            for (int n = 0; n < frames; ++n) {
                const double x = a.Output(c, n), y = b.Output(c, n);
                ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0)
                    << "block " << i << " channel " << c << " frame " << n
                    << ": in place gave " << x << ", out of place " << y;
                if (i >= blocks + settleBlocks) {
                    ASSERT_FALSE(Subnormal(y, doublePrecision))
                        << "subnormal output " << y << " after silence, frame " << n;
                }
            }
    }
    Stop(inPlace);
    Stop(outOfPlace);
}

} // namespace

TEST(SignalFuzz, AutomationAndSignalsAtEveryRate) {
    const double rates[] = {1200.0,  8000.0,   11025.0,  22050.0,  44100.0,   48000.0,  88200.0,
                            96000.0, 176400.0, 192000.0, 384000.0, 768000.0,  12345.678, 31999.0};
    const int blocks = Scaled(6, 120);
    unsigned seed = 1;
    for (double rate : rates)
        for (bool doublePrecision : {false, true})
            Fuzz(rate, doublePrecision, blocks, seed++);
}
