// The fast chain against the straightforward reference: every output sample and every state,
// bit for bit, for each kernel this processor can run. SORVEL_DIFFERENTIAL_FRAMES sets how many
// frames the randomised comparison runs (a few seconds' worth by default; for a long run, e.g.
// SORVEL_DIFFERENTIAL_FRAMES=100000000).
#include "engine/FastChain.h"
#include "engine/ReferenceChain.h"
#include "engine/Saturate.h"
#include "engine/SaturationCurves.h"
#include "engine/UpdateFilters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Kernel {
    const char* name;
    ChainKernel kernel;
    ChainKernelParts parts;
};

std::vector<Kernel> KernelsHere() {
    std::vector<Kernel> kernels = {{"SSE2", ChainKernel::Sse2, ChainKernelPartsSse2()}};
    const ChainKernel best = BestChainKernel();
    if (best == ChainKernel::Avx2 || best == ChainKernel::Avx512)
        kernels.push_back({"AVX2", ChainKernel::Avx2, ChainKernelPartsAvx2()});
    else
        std::printf("This processor has no AVX2: the AVX2 kernel is not compared.\n");
    if (best == ChainKernel::Avx512)
        kernels.push_back({"AVX-512", ChainKernel::Avx512, ChainKernelPartsAvx512()});
    else
        std::printf("This processor has no AVX-512: the AVX-512 kernel is not compared.\n");
    return kernels;
}

// Bits equal; any NaN matches any NaN, whose sign the order of an addition may decide.
bool Same(double a, double b) {
    return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Differs(const char* what, const double* a, const double* b, int count) {
    for (int k = 0; k < count; ++k)
        if (!Same(a[k], b[k])) {
            std::ostringstream text;
            text.precision(17);
            text << what << "[" << k << "]: " << a[k] << " vs " << b[k];
            return text.str();
        }
    return "";
}

// The first state that differs, or "" when all are the same.
std::string StateDifference(const EngineState& a, const EngineState& b) {
    std::string d;
    for (int c = 0; c < ChannelCount && d.empty(); ++c) {
        const BiquadSection* sa[EqBandCount + 2] = {&a.satPeak[c], &a.outPeak[c]};
        const BiquadSection* sb[EqBandCount + 2] = {&b.satPeak[c], &b.outPeak[c]};
        for (int band = 0; band < EqBandCount; ++band) {
            sa[band + 2] = &a.eq[band][c];
            sb[band + 2] = &b.eq[band][c];
        }
        for (int s = 0; s < EqBandCount + 2 && d.empty(); ++s)
            d = Differs("section z1, z2", &sa[s]->z1, &sb[s]->z1, 2);
        for (const auto over : {&EngineState::satOversampler, &EngineState::eqOversampler}) {
            if (d.empty())
                d = Differs("window", (a.*over)[c].Window(), (b.*over)[c].Window(),
                            Oversampler::TapCount);
            if (d.empty())
                d = Differs("history", (a.*over)[c].History(), (b.*over)[c].History(),
                            Oversampler::HistoryCount);
        }
    }
    return d;
}

// Signals that reach every corner of the chain: silence, ordinary and enormous levels, steps
// at full scale, subnormals, and bursts of NaN and infinity.
void FillSignal(std::mt19937& random, std::vector<double>& x) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const int kind = static_cast<int>(random() % 7);
    const double level = std::pow(10.0, 6.0 * unit(random) - 3.0);
    const double hz = 0.5 * std::fabs(unit(random));
    for (size_t i = 0; i < x.size(); ++i) {
        switch (kind) {
        case 0:
            x[i] = 0.0;
            break;
        case 1:
            x[i] = level * unit(random);
            break;
        case 2:
            x[i] = (i / 7) % 2 ? 1.0 : -1.0;
            break;
        case 3:
            x[i] = unit(random) < 0 ? -1e6 : 1e6;
            break;
        case 4:
            x[i] = 1e-310 * unit(random);
            break;
        case 5:
            x[i] = level * std::sin(hz * static_cast<double>(i));
            break;
        default: {
            const double specials[] = {std::nan(""), -std::nan(""), HUGE_VAL, -HUGE_VAL, 0.0};
            x[i] = random() % 16 == 0 ? specials[random() % 5] : unit(random);
        }
        }
    }
}

void Automate(std::mt19937& random, EngineState& state, ChainSwitches& switches) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int c = 0; c < ChannelCount; ++c) {
        for (int band = 0; band < GainBandCount; ++band)
            state.gainMirror[band][c] = random() % 2 ? 18.0 * unit(random) : 0.0;
        for (int band = 0; band < EqBandCount; ++band)
            state.selectorMirror[band][c] = static_cast<double>(random() % 4);
        state.outputGainMirror[c] = 12.0 * unit(random);
    }
    state.driveMirror = -40.0 + 20.0 * unit(random);
    switches = {static_cast<int>(random() % 2), random() % 5 == 0 ? 1 : 0,
                static_cast<int>(random() % 3)};
}

int BlockSize(std::mt19937& random) {
    switch (random() % 8) {
    case 0:
        return 1 + static_cast<int>(random() % 8);
    case 1:
        return 4097 + static_cast<int>(random() % 4096);
    default:
        return 1 + static_cast<int>(random() % 1024);
    }
}

long DifferentialFrames() {
    if (const char* text = std::getenv("SORVEL_DIFFERENTIAL_FRAMES"))
        return std::atol(text);
#ifdef NDEBUG
    return 1500000;
#else
    return 300000; // unoptimised sanitizer builds run some ten times slower
#endif
}

} // namespace

TEST(FastChain, MatchesTheReferenceBitForBitInOutputsAndStates) {
    const std::vector<Kernel> kernels = KernelsHere();
    const double rates[] = {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 768000.0, 1234.5678};
    const long budget = DifferentialFrames();
    long frames = 0;
    for (unsigned seed = 1; frames < budget; ++seed) {
        std::mt19937 random(seed);
        double rate = rates[seed % std::size(rates)];
        EngineState reference;
        ChainSwitches switches;
        std::vector<EngineState> fast(kernels.size(), reference);
        for (int block = 0; block < 64 && frames < budget; ++block) {
            if (random() % 4 == 0)
                Automate(random, reference, switches);
            if (random() % 50 == 0)
                rate = 8000.0 + 760000.0 * std::generate_canonical<double, 53>(random);
            const int n = random() % 50 == 0 ? 0 : BlockSize(random);
            const bool inPlace = random() % 2;
            std::vector<double> left(static_cast<size_t>(n)), right(left.size());
            FillSignal(random, left);
            FillSignal(random, right);

            std::vector<double> expected[2] = {left, right};
            const double* in[2] = {left.data(), right.data()};
            double* io[2] = {expected[0].data(), expected[1].data()};
            for (auto& bandSections : reference.eq)
                for (BiquadSection& section : bandSections)
                    section.Q = 0.0; // the reference redesigns every section every block
            UpdateFilters(reference, rate);
            ReferenceChain(reference, switches, inPlace ? io : in, io, n);
            frames += n;

            for (size_t k = 0; k < kernels.size(); ++k) {
                std::vector<double> got[2] = {left, right};
                double* out[2] = {got[0].data(), got[1].data()};
                std::memcpy(fast[k].gainMirror, reference.gainMirror, sizeof reference.gainMirror);
                std::memcpy(fast[k].selectorMirror, reference.selectorMirror,
                            sizeof reference.selectorMirror);
                std::memcpy(fast[k].outputGainMirror, reference.outputGainMirror,
                            sizeof reference.outputGainMirror);
                fast[k].driveMirror = reference.driveMirror;
                UpdateFilters(fast[k], rate);
                ProcessChainWith(kernels[k].kernel, fast[k], switches, inPlace ? out : in, out, n);
                const std::string where = testing::PrintToString(kernels[k].name) + ", seed " +
                                          std::to_string(seed) + ", block " +
                                          std::to_string(block) + " of " + std::to_string(n) +
                                          " frames at " + std::to_string(rate) + " Hz";
                for (int c = 0; c < 2; ++c)
                    ASSERT_EQ(Differs("output", got[c].data(), expected[c].data(), n), "")
                        << where << ", channel " << c;
                ASSERT_EQ(StateDifference(fast[k], reference), "") << where;
            }
        }
    }
}

TEST(FastChain, KernelPartsMatchTheOversamplerAndTheCurve) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const auto value = [&] {
        const double specials[] = {
            std::nan(""), -std::nan(""), HUGE_VAL,           -HUGE_VAL,
            -0.0,         1e300,         199.0 / CurveScale, std::nextafter(0.1, 0.0)};
        if (random() % 20 == 0)
            return specials[random() % std::size(specials)];
        return std::pow(10.0, 4.0 * unit(random) - 3.0) * unit(random);
    };
    constexpr int count = 4096; // pairs
    std::vector<double> in(2 * count), window(2 * (count + 8)), out(8 * count);
    for (double& v : in)
        v = value();
    for (double& v : window)
        v = value();

    for (const Kernel& kernel : KernelsHere()) {
        SCOPED_TRACE(kernel.name);
        kernel.parts.saturate(in.data(), out.data(), count);
        for (int i = 0; i < 2 * count; ++i)
            ASSERT_TRUE(Same(out[i], Saturate(in[i]))) << "Saturate(" << in[i] << ")";

        // Channel c of push p pushes in[2p + c]; history positions 0..7 are the fresh zeros.
        std::vector<double> history(2 * (count + 8), 0.0);
        for (int i = 0; i < 2 * count; ++i)
            history[16 + i] = 4.0 * in[i];
        kernel.parts.interpolate(history.data(), out.data(), count);
        Oversampler over[2];
        for (int p = 0; p < count; ++p)
            for (int c = 0; c < 2; ++c) {
                over[c].Push(in[2 * p + c]);
                for (int k = 0; k < Oversampler::NewCount; ++k)
                    ASSERT_TRUE(Same(out[2 * (4 * p + k) + c], over[c].NewValues()[k]))
                        << "push " << p << ", channel " << c << ", value " << k;
            }

        const int hop = 1; // every window the stream holds
        kernel.parts.decimate(window.data(), hop, out.data(), count - 32);
        for (int i = 0; i < count - 32; ++i)
            for (int c = 0; c < 2; ++c) {
                double w[Oversampler::TapCount], h[Oversampler::HistoryCount] = {};
                for (int k = 0; k < Oversampler::TapCount; ++k)
                    w[k] = window[2 * (i + k) + c];
                over[c].Restore(w, h);
                ASSERT_TRUE(Same(out[2 * i + c], over[c].Decimate())) << "window " << i;
            }

        // The same windows, four positions apart, kept by phase as the drive stage keeps them.
        const int windows = (count - 32) / 4;
        double* byPhase = out.data() + 2 * count;
        kernel.parts.decimateByPhase(window.data(), byPhase, windows);
        for (int i = 0; i < windows; ++i)
            for (int c = 0; c < 2; ++c)
                ASSERT_TRUE(Same(byPhase[2 * i + c], out[2 * 4 * i + c]))
                    << "window " << 4 * i << " by phase";
    }
}
