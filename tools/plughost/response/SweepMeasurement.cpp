#include "tools/plughost/response/SweepMeasurement.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace plughost {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The silence after the sweep, long enough for a corner at 1 Hz to ring out; the impulse
// response is kept over all of it.
constexpr double kTailSeconds = 1.0;
constexpr double kPreWindowSeconds = 0.002;
// Keeps the division tame where the sweep has no energy (below its start, at Nyquist).
constexpr double kRegularisation = 1e-10;

struct FftPlan {
    explicit FftPlan(std::size_t size, bool inverse)
        : cfg(kiss_fftr_alloc(static_cast<int>(size), inverse ? 1 : 0, nullptr, nullptr)) {}
    ~FftPlan() { kiss_fftr_free(cfg); }
    FftPlan(const FftPlan&) = delete;
    FftPlan& operator=(const FftPlan&) = delete;
    kiss_fftr_cfg cfg;
};

std::vector<std::complex<double>> Forward(const std::vector<double>& signal, std::size_t size) {
    std::vector<kiss_fft_scalar> in(size, 0);
    for (std::size_t i = 0; i < std::min(size, signal.size()); ++i)
        in[i] = static_cast<kiss_fft_scalar>(signal[i]);
    std::vector<kiss_fft_cpx> out(size / 2 + 1);
    FftPlan plan(size, false);
    kiss_fftr(plan.cfg, in.data(), out.data());
    std::vector<std::complex<double>> spectrum(out.size());
    for (std::size_t k = 0; k < out.size(); ++k)
        spectrum[k] = {out[k].r, out[k].i};
    return spectrum;
}

std::vector<double> Inverse(const std::vector<std::complex<double>>& spectrum, std::size_t size) {
    std::vector<kiss_fft_cpx> in(size / 2 + 1);
    for (std::size_t k = 0; k < in.size(); ++k)
        in[k] = {static_cast<kiss_fft_scalar>(spectrum[k].real()),
                 static_cast<kiss_fft_scalar>(spectrum[k].imag())};
    std::vector<kiss_fft_scalar> out(size);
    FftPlan plan(size, true);
    kiss_fftri(plan.cfg, in.data(), out.data());
    std::vector<double> signal(size);
    for (std::size_t i = 0; i < size; ++i)
        signal[i] = out[i] / static_cast<double>(size); // KissFFT leaves the 1/N to us
    return signal;
}

// Half a Hann window rising over `length` samples: 0 at i = 0, towards 1 at i = length.
double Rise(std::size_t i, std::size_t length) {
    return 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(length));
}

} // namespace

std::complex<double> ChannelResponse::At(double hz) const {
    if (bins.size() < 2 || rate <= 0)
        return {};
    const double position = std::clamp(hz / (rate / 2) * static_cast<double>(bins.size() - 1), 0.0,
                                       static_cast<double>(bins.size() - 1));
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, bins.size() - 1);
    const double f = position - static_cast<double>(below);
    return bins[below] * (1 - f) + bins[above] * f;
}

SweepMeasurement::SweepMeasurement(const SweepSettings& wanted) : settings(wanted) {
    const double fs = settings.sampleRate;
    const auto sweepLength = static_cast<std::size_t>(std::lround(settings.seconds * fs));
    const auto tailLength = static_cast<std::size_t>(std::lround(kTailSeconds * fs));
    excitation.assign(sweepLength + tailLength, 0.0);

    // Instantaneous frequency kStartHz * exp(t / rate): the phase is its integral.
    const double octaves = std::log(fs / 2 / kStartHz);
    const double rate = settings.seconds / octaves;
    const double amplitude = std::pow(10.0, settings.levelDbfs / 20);
    const std::size_t fadeIn = std::max<std::size_t>(1, static_cast<std::size_t>(0.02 * fs));
    const std::size_t fadeOut = std::max<std::size_t>(1, static_cast<std::size_t>(0.002 * fs));
    for (std::size_t i = 0; i < sweepLength; ++i) {
        const double t = static_cast<double>(i) / fs;
        double gain = amplitude;
        if (i < fadeIn)
            gain *= Rise(i, fadeIn);
        if (sweepLength - i <= fadeOut)
            gain *= Rise(sweepLength - i, fadeOut);
        excitation[i] = gain * std::sin(2 * kPi * kStartHz * rate * (std::exp(t / rate) - 1));
    }

    fftSize = 1;
    while (fftSize < excitation.size())
        fftSize *= 2;
    // Harmonics arrive before the linear response: the second rate * ln 2 seconds early, the
    // others earlier still. Keeping little before time 0 leaves them out; after time 0 only
    // the linear response and the harmonics' faint tails lie within the tail of silence.
    windowStart = std::max<std::size_t>(
        1, static_cast<std::size_t>(std::min(kPreWindowSeconds, 0.5 * rate * std::log(2.0)) * fs));
    windowEnd = tailLength;
    sweepSpectrum = Forward(excitation, fftSize);
}

ChannelResponse SweepMeasurement::Analyse(const std::vector<double>& output) const {
    const std::vector<std::complex<double>> outSpectrum = Forward(output, fftSize);
    double peak = 0;
    for (const auto& x : sweepSpectrum)
        peak = std::max(peak, std::norm(x));
    std::vector<std::complex<double>> quotient(sweepSpectrum.size());
    for (std::size_t k = 0; k < quotient.size(); ++k)
        quotient[k] = outSpectrum[k] * std::conj(sweepSpectrum[k]) /
                      (std::norm(sweepSpectrum[k]) + kRegularisation * peak);
    std::vector<double> impulse = Inverse(quotient, fftSize);

    // Keep the linear response: a short rise before time 0 (the end of the circular buffer),
    // then everything up to the window's end, fading out over its last third.
    const std::size_t fade = std::max<std::size_t>(1, windowEnd / 3);
    for (std::size_t i = 0; i < fftSize; ++i) {
        double w = 0;
        if (i < windowEnd)
            w = i + fade >= windowEnd ? Rise(windowEnd - i, fade) : 1.0;
        else if (i >= fftSize - windowStart)
            w = Rise(i - (fftSize - windowStart), windowStart);
        impulse[i] *= w;
    }
    return ChannelResponse(settings.sampleRate, Forward(impulse, fftSize));
}

} // namespace plughost
