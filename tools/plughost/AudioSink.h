#pragma once

#include "tools/plughost/Status.h"

namespace plughost {

// Takes audio a block at a time, one buffer per channel (full scale 1.0), with as many
// channels as its owner set it up for.
class AudioSink {
  public:
    virtual ~AudioSink() = default;

    virtual Status Write(const double* const* channels, int frames) = 0;
};

} // namespace plughost
