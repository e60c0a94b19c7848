#include "tests/tools/PlughostTestSupport.h"

#include "tools/plughost/Utf8Path.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>

namespace plughost_test {

plughost::AudioData Noise(double sampleRate, double seconds, double peak, std::uint32_t seed) {
    plughost::AudioData audio;
    audio.sampleRate = sampleRate;
    const auto frames = static_cast<size_t>(sampleRate * seconds);
    audio.channels.assign(2, std::vector<double>(frames));
    std::uint32_t state = seed | 1;
    for (auto& channel : audio.channels)
        for (double& v : channel) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            v = peak * (static_cast<double>(state) / 2147483648.0 - 1.0);
        }
    return audio;
}

plughost::AudioData Sine(double sampleRate, double seconds, double hz, double peak, int channels) {
    plughost::AudioData audio;
    audio.sampleRate = sampleRate;
    const auto frames = static_cast<size_t>(sampleRate * seconds);
    std::vector<double> wave(frames);
    for (size_t i = 0; i < frames; ++i)
        wave[i] = peak * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / sampleRate);
    audio.channels.assign(static_cast<size_t>(channels), wave);
    return audio;
}

bool WriteWav(const std::string& path, const plughost::AudioData& audio) {
    plughost::WriteReport report;
    return plughost::WriteAudioFileAtomically(
               path, audio, plughost::format::kWav | plughost::format::kDouble, report)
        .ok();
}

plughost::AudioData ReadAudio(const std::string& path) {
    plughost::AudioData audio;
    if (!plughost::ReadAudioFile(path, audio))
        return {};
    return audio;
}

std::vector<std::uint8_t> FileContents(const std::string& path) {
    std::ifstream in(plughost::PathFromUtf8(path), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream(plughost::PathFromUtf8(path), std::ios::binary) << contents;
}

double Peak(const std::vector<double>& samples, size_t from) {
    double peak = 0;
    for (size_t i = from; i < samples.size(); ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

double MaxDifference(const plughost::AudioData& a, const plughost::AudioData& b) {
    if (a.ChannelCount() != b.ChannelCount() || a.FrameCount() != b.FrameCount() ||
        a.ChannelCount() == 0)
        return std::numeric_limits<double>::infinity();
    double worst = 0;
    for (size_t c = 0; c < a.channels.size(); ++c)
        for (size_t i = 0; i < a.channels[c].size(); ++i)
            worst = std::max(worst, std::fabs(a.channels[c][i] - b.channels[c][i]));
    return worst;
}

std::string SorvelBundle() {
    return SORVEL_BUNDLE_DIR;
}

std::string FixtureBundle(const std::string& name) {
    return std::string(FIXTURE_BUNDLE_DIR) + "/" + name + ".vst3";
}

} // namespace plughost_test
