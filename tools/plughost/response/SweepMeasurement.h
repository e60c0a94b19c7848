#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace plughost {

struct SweepSettings {
    double sampleRate = 48000;
    double levelDbfs = -30; // the sweep's peak level
    double seconds = 4;     // length of the sweep itself; the render adds a silent tail
};

// One channel's linear response on a fine, evenly spaced frequency grid (0 Hz to Nyquist).
class ChannelResponse {
  public:
    ChannelResponse() = default;
    ChannelResponse(double sampleRate, std::vector<std::complex<double>> bins)
        : rate(sampleRate), bins(std::move(bins)) {}

    // The response at `hz`, interpolated between the two nearest grid points.
    std::complex<double> At(double hz) const;
    double SampleRate() const { return rate; }

  private:
    double rate = 0;
    std::vector<std::complex<double>> bins;
};

// Measures a system with an exponential sine sweep and deconvolution. The sweep rises from
// below 10 Hz to the Nyquist frequency; dividing the output's spectrum by the sweep's turns it
// into an impulse response in which each harmonic of a non-linear stage lands at a fixed time
// before the linear part. Windowing keeps the linear part alone, so distortion does not
// pollute the measured magnitude and phase.
class SweepMeasurement {
  public:
    explicit SweepMeasurement(const SweepSettings& settings);

    // The excitation to render: the sweep, then silence for the system's ringing.
    const std::vector<double>& Excitation() const { return excitation; }
    // One output channel, at least as long as the excitation, turned into its response.
    ChannelResponse Analyse(const std::vector<double>& output) const;

    // Where the sweep starts.
    static constexpr double kStartHz = 5;

  private:
    SweepSettings settings;
    std::vector<double> excitation;
    std::size_t fftSize = 0;
    std::size_t windowStart = 0; // samples kept before time 0 (they wrap to the end)
    std::size_t windowEnd = 0;   // samples kept from time 0 on
    std::vector<std::complex<double>> sweepSpectrum;
};

} // namespace plughost
