#pragma once

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/AudioSink.h"

namespace plughost {

// Collects audio in memory; `keep` says which of the channels it is handed are kept (all
// when empty), so a caller that needs one channel whole holds only that one.
class AudioDataSink final : public AudioSink {
  public:
    AudioDataSink(AudioData& audio, int channels, double sampleRate, std::vector<bool> keep = {})
        : audio(audio), keep(std::move(keep)) {
        audio = {};
        audio.sampleRate = sampleRate;
        audio.channels.resize(static_cast<size_t>(channels));
    }

    Status Write(const double* const* channels, int frames) override {
        for (size_t c = 0; c < audio.channels.size(); ++c)
            if (keep.empty() || (c < keep.size() && keep[c]))
                audio.channels[c].insert(audio.channels[c].end(), channels[c],
                                         channels[c] + frames);
        return Status::Ok();
    }

  private:
    AudioData& audio;
    std::vector<bool> keep;
};

} // namespace plughost
