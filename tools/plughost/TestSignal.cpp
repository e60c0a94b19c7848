#include "tools/plughost/TestSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace plughost {

namespace {

// One chord per second, as MIDI note numbers, with the bass root an octave or two below.
struct ChordSpec {
    int notes[4];
    int bass;
};

constexpr ChordSpec kChords[] = {
    {{60, 64, 67, 72}, 36}, // C major
    {{57, 60, 64, 69}, 33}, // A minor
    {{53, 57, 60, 65}, 41}, // F major
    {{55, 59, 62, 67}, 43}, // G major
};

constexpr double kChordSeconds = 1.0;
constexpr double kStrumSeconds = 0.012;
constexpr double kNoteDecaySeconds = 0.7;
constexpr double kBassDecaySeconds = 0.3;
constexpr double kHitSpacingSeconds = 0.25;
constexpr double kHitDecaySeconds = 0.025;
constexpr int kHarmonics = 8;

double MidiToHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Deterministic white noise, so a render can be repeated bit for bit.
class NoiseSource {
  public:
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

  private:
    std::uint32_t state = 0x2545F491u;
};

// Adds a plucked harmonic tone into both channels from `start` seconds on. Each harmonic runs
// as a rotating phasor under a decaying envelope, both updated by one multiplication a sample.
void AddTone(AudioData& audio, double start, double hz, double amplitude, double decay,
             int harmonics, double pan) {
    const double rate = audio.sampleRate;
    const std::int64_t frames = audio.FrameCount();
    const auto first = static_cast<std::int64_t>(start * rate);
    const double attackSamples = 0.004 * rate;
    const double left = amplitude * std::cos(pan * std::numbers::pi / 2);
    const double right = amplitude * std::sin(pan * std::numbers::pi / 2);
    for (int k = 1; k <= harmonics; ++k) {
        if (k * hz >= 0.45 * rate)
            break;
        const double step = 2.0 * std::numbers::pi * k * hz / rate;
        const double stepCos = std::cos(step);
        const double stepSin = std::sin(step);
        double re = std::cos(0.7 * k);
        double im = std::sin(0.7 * k);
        // Upper harmonics die away faster, as on a plucked string.
        const double harmonicDecay = decay / (1.0 + 0.35 * (k - 1));
        const double fall = std::exp(-1.0 / (harmonicDecay * rate));
        double envelope = 1.0 / std::pow(k, 1.3);
        for (std::int64_t i = first; i < frames && envelope > 1e-6; ++i) {
            const double n = static_cast<double>(i - first);
            const double v = envelope * std::min(1.0, n / attackSamples) * im;
            audio.channels[0][static_cast<size_t>(i)] += left * v;
            audio.channels[1][static_cast<size_t>(i)] += right * v;
            const double nextRe = re * stepCos - im * stepSin;
            im = re * stepSin + im * stepCos;
            re = nextRe;
            envelope *= fall;
        }
    }
}

// A short burst of brightened noise, like a closed hi-hat.
void AddNoiseHit(AudioData& audio, double start, double amplitude, double pan, NoiseSource& noise) {
    const double rate = audio.sampleRate;
    const std::int64_t frames = audio.FrameCount();
    const auto first = static_cast<std::int64_t>(start * rate);
    const auto length = static_cast<std::int64_t>(8 * kHitDecaySeconds * rate);
    double previous = 0;
    for (std::int64_t i = first; i < std::min(frames, first + length); ++i) {
        const double white = noise.Next();
        const double bright = white - previous;
        previous = white;
        const double envelope =
            std::exp(-static_cast<double>(i - first) / (kHitDecaySeconds * rate));
        const double v = amplitude * envelope * bright;
        audio.channels[0][static_cast<size_t>(i)] += (1.0 - pan) * v;
        audio.channels[1][static_cast<size_t>(i)] += pan * v;
    }
}

} // namespace

AudioData MakeTestSignal(double sampleRate) {
    AudioData audio;
    audio.sampleRate = sampleRate;
    const auto frames = static_cast<size_t>(std::llround(kTestSignalSeconds * sampleRate));
    audio.channels.assign(2, std::vector<double>(frames, 0.0));

    NoiseSource noise;
    double chordStart = 0;
    for (const ChordSpec& chord : kChords) {
        for (int n = 0; n < 4; ++n) {
            const double pan = 0.3 + 0.4 * n / 3.0;
            AddTone(audio, chordStart + n * kStrumSeconds, MidiToHz(chord.notes[n]), 0.18,
                    kNoteDecaySeconds, kHarmonics, pan);
        }
        AddTone(audio, chordStart, MidiToHz(chord.bass), 0.5, kBassDecaySeconds, 3, 0.5);
        AddTone(audio, chordStart + 0.5, MidiToHz(chord.bass + 7), 0.4, kBassDecaySeconds, 3, 0.5);
        chordStart += kChordSeconds;
    }
    for (int hit = 0; hit * kHitSpacingSeconds < kTestSignalSeconds; ++hit)
        AddNoiseHit(audio, hit * kHitSpacingSeconds, hit % 2 ? 0.12 : 0.2, hit % 2 ? 0.7 : 0.3,
                    noise);

    double peak = 0;
    for (const auto& channel : audio.channels)
        for (double v : channel)
            peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (auto& channel : audio.channels)
            for (double& v : channel)
                v *= kTestSignalPeak / peak;
    return audio;
}

} // namespace plughost
