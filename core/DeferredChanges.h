#pragma once

#include "core/GrowBuffer.h"

// The host's changes of blocks that ran without the plug-in lock, kept for the next block that
// gets it. One slot per parameter, then one for the host's bypass and one for its preset choice.
// Each slot keeps the last value it was given and its place in the order of the last changes:
// applying the slots in that order leaves the values that applying every change in turn would
// have left, with each slot applied once. Storage is taken at construction; keeping and taking
// changes never allocates. Used by the audio thread alone.
class DeferredChanges {
  public:
    explicit DeferredChanges(int parameterCount);

    int BypassSlot() const { return parameters; }
    int PresetSlot() const { return parameters + 1; }

    // Keeps `value` for `slot`, after every other kept change. A slot out of range is ignored.
    void Keep(int slot, double value);
    int Count() const { return count; }
    // The kept change at `position` (0 is the oldest).
    int SlotAt(int position) const;
    double ValueAt(int position) const;
    void Clear();

  private:
    int Slots() const { return parameters + 2; }

    int parameters;
    int count = 0;
    GrowBuffer order{4096};    // int per position: the slot changed there
    GrowBuffer values{4096};   // double per slot
    GrowBuffer position{4096}; // int per slot: its position in `order`, or -1
};
