#pragma once

#include "engine/EngineState.h"
#include "engine/ParameterMirrors.h"
#include "engine/ProcessChain.h"
// The adapter of the format this build serves; the engine never names it.
#include "PlugAdapter.h"

#include <atomic>

// The equaliser plug-in: its parameter set, the engine state the parameters are mirrored into,
// and the block processing.
class Sorvel : public PlugAdapter {
  public:
    Sorvel();
    ~Sorvel() override;

    // Any thread: copies the parameter's value into its mirror (takes the plug-in lock).
    void ParameterChanged(int index) override;
    // Audio thread. Holding the plug-in lock, the block links, takes the mirrors and switches
    // and redesigns; without it (BlockRepeatsSettings) it runs on what the last block took.
    // A block that has no settings to repeat yet (none has held the lock since processing was
    // set up) is silent rather than run on designs for another rate or none at all.
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    // User-interface thread, under the plug-in lock: the next block must take the settings.
    void ResetProcessing() override;
    // User-interface thread: the oversampling switch keeps its empty core name (the saved
    // state and the editor rely on the core's record), but hosts list it by its label.
    const char* HostTitle(int index) const override;

    // The audio thread's state, as of the last block.
    const EngineState& State() const { return state; }
    // The parameter values as ParameterChanged copied them, for the next block.
    const ParameterMirrors& Mirrors() const { return mirrors; }

  private:
    // With "LINK" at 0 every channel-B setting follows its channel-A partner; at 1 each keeps
    // its own value. Writes the core's parameter values directly: the host is not told.
    void UpdateLinkedPairs();
    // The mirror a parameter's value is copied into, or none for the switches.
    double* MirrorFor(int index);

    ParameterMirrors mirrors;
    EngineState state;
    ChainSwitches switches;
    // Set by a block holding the lock, cleared by ResetProcessing under it; the audio thread
    // reads it without the lock.
    std::atomic<bool> settingsTaken{false};
};
