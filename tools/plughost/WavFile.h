#pragma once

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/Status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plughost {

// RIFF WAVE for builds without libsndfile: PCM of 8, 16, 24 and 32 bits and IEEE float of 32
// and 64 bits, plain or in the extensible header, any channel count.

// Where a WAV file keeps its samples and how they are laid out.
struct WavSamples {
    bool isFloat = false;
    int bits = 0;
    int channels = 0;
    double rate = 0;
    std::uint64_t offset = 0;         // of the first sample in the file
    std::uint64_t declaredBytes = 0;  // what the data chunk's header says
    std::uint64_t availableBytes = 0; // what the file holds from the first sample on

    std::size_t FrameBytes() const { return static_cast<std::size_t>(channels * bits / 8); }
    // The encoding word (AudioFormat.h) of the samples.
    int Encoding() const;
};

// Reads up to `count` bytes at `offset`; fewer only where the file ends (or cannot be read).
using WavByteReader =
    std::function<std::size_t(std::uint64_t offset, std::uint8_t* to, std::size_t count)>;

// Walks the chunks of a file of `fileSize` bytes up to its samples. `name` only goes into
// messages.
Status FindWavSamples(const WavByteReader& read, std::uint64_t fileSize, const std::string& name,
                      WavSamples& out);

// Turns `frames` frames at `bytes` into doubles (full scale 1.0), still interleaved;
// non-finite floats become 0.
void DecodeWavInterleaved(const std::uint8_t* bytes, const WavSamples& layout, std::size_t frames,
                          double* interleaved);

// Decodes a whole file's bytes. A data chunk that runs past the end of the bytes keeps the
// whole frames that are there.
Status DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& name, AudioData& out);

// True when `encoding` (AudioFormat.h) is one EncodeWav writes.
bool WavHolds(int encoding);

// The bytes before the samples of a file of `frames` frames. Fails only for audio a WAV file
// cannot hold (no channels, a rate beyond 32 bits, more than 4 GiB of samples).
Status WavHeader(int channels, double sampleRate, int encoding, std::uint64_t frames,
                 const std::string& name, std::vector<std::uint8_t>& bytes);

// Appends `frames` frames in `encoding`; integer encodings clip at full scale and count what
// they clipped. A data chunk of an odd length takes one byte of padding after its last frame.
void EncodeWavFrames(const double* const* channels, int channelCount, std::size_t frames,
                     int encoding, std::vector<std::uint8_t>& bytes, std::int64_t& clipped);

// The header, every frame of `audio` and the padding.
Status EncodeWav(const AudioData& audio, int encoding, const std::string& name,
                 std::vector<std::uint8_t>& bytes, WriteReport& report);

} // namespace plughost
