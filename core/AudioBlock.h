#pragma once

#include "core/IPlugBase.h"

// One audio block of the core, from BeginBlock to EndBlock, whatever way the adapter's
// processing call returns. Audio thread.
class AudioBlock {
  public:
    explicit AudioBlock(IPlugBase& plug) : plug(plug) { locked = plug.BeginBlock(); }
    ~AudioBlock() { plug.EndBlock(); }
    AudioBlock(const AudioBlock&) = delete;
    AudioBlock& operator=(const AudioBlock&) = delete;

    // Whether the block holds the plug-in lock (else it repeats the previous block's settings).
    bool Locked() const { return locked; }

  private:
    IPlugBase& plug;
    bool locked = false;
};
