// The audio thread's side of the plug-in lock: a block tries the lock and never waits for it.
#include "core/IPlugBase.h"

#include <cmath>

bool IPlugBase::BeginBlock() {
    blockOpen = true;
    blockLocked = lock.TryLock();
    if (!blockLocked)
        return false;
    for (int p = 0; p < deferred.Count(); ++p)
        ApplyHostChange(deferred.SlotAt(p), deferred.ValueAt(p));
    deferred.Clear();
    blockBypassed = bypassed;
    return true;
}

void IPlugBase::EndBlock() {
    if (blockLocked)
        lock.Unlock();
    blockLocked = false;
    blockOpen = false;
}

void IPlugBase::HostParameterChange(int index, double normalised) {
    if (index < 0 || index >= NParams() || !std::isfinite(normalised))
        return;
    HostChange(index, normalised < 0.0 ? 0.0 : (normalised > 1.0 ? 1.0 : normalised));
}

void IPlugBase::HostBypassChange(bool bypass) {
    HostChange(deferred.BypassSlot(), bypass ? 1.0 : 0.0);
}

void IPlugBase::HostPresetChange(int index) {
    HostChange(deferred.PresetSlot(), index);
}

void IPlugBase::RunBlock(int frames) {
    if (blockBypassed) {
        PassThrough(frames);
        return;
    }
    ProcessBlock(NInChannels() > 0 ? InputPointers() : nullptr,
                 NOutChannels() > 0 ? OutputPointers() : nullptr, frames);
}

void IPlugBase::HostChange(int slot, double value) {
    if (blockLocked)
        ApplyHostChange(slot, value);
    else
        deferred.Keep(slot, value);
}

void IPlugBase::ApplyHostChange(int slot, double value) {
    if (slot == deferred.BypassSlot()) {
        bypassed = value != 0.0;
        blockBypassed = bypassed;
    } else if (slot == deferred.PresetSlot()) {
        RecallPreset(static_cast<int>(value));
    } else if (ICoreParameter* parameter = GetParam(slot)) {
        parameter->SetFromNormalised(value);
        if (editor)
            editor->ParameterChangedInCore(slot, value, true);
        ParameterChanged(slot);
    }
}
