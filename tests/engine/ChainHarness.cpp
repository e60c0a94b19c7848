#include "tests/engine/ChainHarness.h"

#include "engine/UpdateFilters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

ChainHarness::ChainHarness(double sampleRate) : sampleRate(sampleRate) {
    state.driveMirror = -40.0;
    state.selectorMirror[LowCut][ChannelA] = 1.0;
    state.selectorMirror[LowCut][ChannelB] = 1.0;
}

void ChainHarness::Run(std::vector<double>& left, std::vector<double>& right, int blockFrames) {
    const int total = static_cast<int>(std::min(left.size(), right.size()));
    for (int start = 0; start < total; start += blockFrames) {
        const int frames = std::min(blockFrames, total - start);
        double* channels[2] = {left.data() + start, right.data() + start};
        UpdateFilters(state, sampleRate);
        ProcessChain(state, switches, channels, channels, frames);
    }
}

std::vector<double> Sine(double hz, double amplitude, double sampleRate, int frames) {
    std::vector<double> x(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        x[i] = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / sampleRate);
    return x;
}

double ToneAmplitude(const std::vector<double>& x, int from, double hz, double sampleRate) {
    // Normal equations of x ~ a sin + b cos + c, solved by Cramer's rule.
    double ss = 0, sc = 0, s1 = 0, cc = 0, c1 = 0, n = 0, xs = 0, xc = 0, x1 = 0;
    for (size_t i = static_cast<size_t>(from); i < x.size(); ++i) {
        const double phase = 2.0 * std::numbers::pi * hz * static_cast<double>(i) / sampleRate;
        const double s = std::sin(phase);
        const double c = std::cos(phase);
        ss += s * s, sc += s * c, s1 += s, cc += c * c, c1 += c, n += 1;
        xs += x[i] * s, xc += x[i] * c, x1 += x[i];
    }
    const auto det3 = [](double a, double b, double c, double d, double e, double f, double g,
                         double h, double k) {
        return a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
    };
    const double det = det3(ss, sc, s1, sc, cc, c1, s1, c1, n);
    const double a = det3(xs, sc, s1, xc, cc, c1, x1, c1, n) / det;
    const double b = det3(ss, xs, s1, sc, xc, c1, s1, x1, n) / det;
    return std::hypot(a, b);
}

double PeakMagnitude(const std::vector<double>& x, int from) {
    double peak = 0.0;
    for (size_t i = static_cast<size_t>(from); i < x.size(); ++i)
        peak = std::max(peak, std::fabs(x[i]));
    return peak;
}
