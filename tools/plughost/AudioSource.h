#pragma once

#include "tools/plughost/Status.h"

#include <cstdint>

namespace plughost {

// Audio handed over a block at a time, one buffer per channel (full scale 1.0), so a render
// holds no more of a file than the block it is working on.
class AudioSource {
  public:
    virtual ~AudioSource() = default;

    virtual int ChannelCount() const = 0;
    virtual double SampleRate() const = 0;
    // The frames the source will deliver; 0 when it cannot tell before the end.
    virtual std::int64_t FrameCount() const = 0;
    // Fills up to `frames` frames into each of ChannelCount() buffers. `got` falls short of
    // `frames` only at the end, and is 0 once everything was delivered. A source that cannot
    // deliver what it promised fails, naming the frame it stopped at.
    virtual Status Read(double* const* channels, int frames, int& got) = 0;
};

} // namespace plughost
