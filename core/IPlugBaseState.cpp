// State chunk and preset slots of the plug-in core.
#include "core/IPlugBase.h"

#include "core/Trace.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the state chunk stores doubles little-endian as they lie in memory");

namespace {

// A stored value becomes a parameter value. Infinities clamp into the range like any
// out-of-range value; NaN has no place in the range and falls back to the declared default.
double StoredValueFor(const ICoreParameter& parameter, double stored) {
    if (std::isnan(stored))
        return parameter.ClampToRange(parameter.defaultValue);
    return parameter.ClampToRange(stored);
}

} // namespace

bool IPlugBase::SerializeParams(StateChunk& chunk) {
    PluginLockGuard guard(lock);
    Trace("IPlugBase::SerializeParams", "%d", NParams());
    for (int i = 0; i < NParams(); ++i) {
        const double value = GetParam(i)->value;
        if (!chunk.Append(&value, sizeof value))
            return false;
    }
    return true;
}

int IPlugBase::UnserializeParams(const StateChunk& chunk, int position) {
    PluginLockGuard guard(lock);
    Trace("IPlugBase::UnserializeParams", "%d", position);
    for (int i = 0; i < NParams() && position >= 0; ++i) {
        double stored = 0.0;
        if (int64_t{position} + 8 > chunk.Size()) {
            position = -1;
        } else {
            std::memcpy(&stored, chunk.Bytes() + position, sizeof stored);
            position += 8;
        }
        ICoreParameter* parameter = GetParam(i);
        parameter->value = StoredValueFor(*parameter, stored);
    }
    for (int i = 0; i < NParams(); ++i)
        ParameterChanged(i);
    return position;
}

bool IPlugBase::StateMatches(const double* values, int position) {
    if (!values || position < 0)
        return false;
    for (int i = 0; i < NParams(); ++i) {
        const float current = static_cast<float>(GetParam(i)->value);
        const float saved = static_cast<float>(values[position + i]);
        if (!(std::fabs(current - saved) < 1e-5f))
            return false;
    }
    return true;
}

void IPlugBase::CapturePreset(const char* name) {
    for (int i = 0; i < presets.Count(); ++i) {
        PresetSlot* slot = presets.Get(i);
        if (slot->used)
            continue;
        slot->used = true;
        CopyText(slot->name, name, PresetSlot::kNameSize);
        SaveState(slot->chunk);
        return;
    }
}

bool IPlugBase::RecallPreset(int index) {
    PresetSlot* slot = presets.Get(index);
    if (!slot)
        return false;
    bool ok;
    if (slot->used) {
        ok = LoadState(slot->chunk, 0) > 0;
    } else {
        slot->used = true;
        int userPresets = 0;
        for (int i = 0; i < presets.Count(); ++i)
            if (std::strstr(presets.Get(i)->name, "user preset"))
                ++userPresets;
        std::snprintf(slot->name, PresetSlot::kNameSize, "%s %d", "user preset", userPresets + 1);
        ok = SaveState(slot->chunk);
    }
    if (ok) {
        currentPreset = index;
        PresetRestored();
        MirrorParamsToEditor();
    }
    return ok;
}

const char* IPlugBase::PresetName(int index) const {
    const PresetSlot* slot = presets.Get(index);
    return slot ? slot->name : "";
}
