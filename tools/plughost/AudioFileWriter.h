#pragma once

#include "tools/plughost/AudioSink.h"
#include "tools/plughost/Status.h"

#include <cstdint>
#include <memory>
#include <string>

namespace plughost {

// Writes an audio file a block at a time, beside `path` under a temporary name that Commit
// renames into place once every frame is on disk; dropped uncommitted, it removes what it
// wrote, so an existing file is replaced only by a complete one. Integer encodings get the
// samples on their grid (PcmQuantiser.h), clipped at full scale.
class AudioFileWriter final : public AudioSink {
  public:
    AudioFileWriter();
    ~AudioFileWriter() override;
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // `format` comes from ChooseOutputFormat; `frames` is how many will be written (a WAV
    // header holds the count before the samples).
    Status Open(const std::string& path, int format, int channels, double rate,
                std::int64_t frames);
    Status Write(const double* const* channels, int frames) override;
    Status Commit();

    // Samples beyond full scale that an integer encoding had to clip.
    std::int64_t ClippedSamples() const { return clipped; }
    // The largest magnitude among the samples handed over, before any clipping.
    double Peak() const { return peak; }

  private:
    struct File; // the library's or the system's handle, the pending file and a buffer
    std::unique_ptr<File> file;
    std::string path;
    int channels = 0;
    std::int64_t clipped = 0;
    double peak = 0;
};

} // namespace plughost
