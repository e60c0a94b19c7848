#pragma once

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/AudioSource.h"

#include <algorithm>

namespace plughost {

// Audio already in memory, handed over a block at a time.
class AudioDataSource final : public AudioSource {
  public:
    explicit AudioDataSource(const AudioData& audio) : audio(audio) {}

    int ChannelCount() const override { return audio.ChannelCount(); }
    double SampleRate() const override { return audio.sampleRate; }
    std::int64_t FrameCount() const override { return audio.FrameCount(); }
    Status Read(double* const* channels, int frames, int& got) override {
        got = static_cast<int>(std::min<std::int64_t>(frames, audio.FrameCount() - position));
        for (int c = 0; c < ChannelCount(); ++c) {
            const double* from = audio.channels[static_cast<size_t>(c)].data() + position;
            std::copy(from, from + got, channels[c]);
        }
        position += got;
        return Status::Ok();
    }

  private:
    const AudioData& audio;
    std::int64_t position = 0;
};

} // namespace plughost
