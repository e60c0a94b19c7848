#pragma once

#include "tools/plughost/AudioSource.h"
#include "tools/plughost/Status.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost {

// Reads a WAV, FLAC or AIFF file a block at a time (WAV only where the build has no
// libsndfile); any other container is refused by name. Non-finite samples arrive as 0. A file
// that ends before the frames its header declares, or that cannot be read on, fails with one
// line naming it and the frame it stopped at.
class AudioFileReader final : public AudioSource {
  public:
    AudioFileReader();
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    Status Open(const std::string& path);

    int ChannelCount() const override { return channels; }
    double SampleRate() const override { return rate; }
    std::int64_t FrameCount() const override { return std::max<std::int64_t>(frames, 0); }
    Status Read(double* const* channels, int frames, int& got) override;
    // The format word (AudioFormat.h) of the file.
    int SourceFormat() const { return sourceFormat; }

  private:
    // The system's or the library's half (one source file each): opening sets the fields
    // below; a read fills `interleaved` with up to `count` frames, fewer where the data ends
    // or on an error, which `error` then names.
    struct File;
    Status OpenFile();
    std::int64_t ReadInterleaved(double* interleaved, std::int64_t count, std::string& error);

    std::unique_ptr<File> file;
    std::vector<double> buffer; // interleaved frames read ahead
    std::int64_t bufferFrames = 0;
    std::int64_t bufferAt = 0;
    std::string path;
    int channels = 0;
    double rate = 0;
    std::int64_t frames = 0; // -1 where the header does not say
    std::int64_t position = 0;
    int sourceFormat = 0;
};

} // namespace plughost
