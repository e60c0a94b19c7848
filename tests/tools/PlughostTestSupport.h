#pragma once

#include "tools/plughost/AudioFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost_test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built plughost with `args` and collects its exit status and both output streams.
RunResult RunPlughost(const std::vector<std::string>& args);

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // UTF-8, with forward slashes on every system.
    std::string Path(const std::string& name) const { return root + "/" + name; }

  private:
    std::string root;
};

// Deterministic stereo noise, different on each channel, at `peak`.
plughost::AudioData Noise(double sampleRate, double seconds, double peak, std::uint32_t seed);
plughost::AudioData Sine(double sampleRate, double seconds, double hz, double peak, int channels);

// Writes a 64-bit float WAV, so values reach the plug-in unrounded in a 64-bit render.
[[nodiscard]] bool WriteWav(const std::string& path, const plughost::AudioData& audio);
plughost::AudioData ReadAudio(const std::string& path);

std::vector<std::uint8_t> FileContents(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);

double Peak(const std::vector<double>& samples, size_t from = 0);
// Largest sample-by-sample difference of two files' audio; infinite when their shapes differ.
double MaxDifference(const plughost::AudioData& a, const plughost::AudioData& b);

// Where the tests find their programs and bundles.
std::string SorvelBundle();
std::string FixtureBundle(const std::string& name);

} // namespace plughost_test
