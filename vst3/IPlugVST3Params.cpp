// The controller's parameter answers of the VST 3 adapter and the edit gestures it passes to
// the host. Core parameters answer from the core's records; "Bypass" and "Preset" from the
// adapter's own state.
#include "vst3/IPlugVST3.h"

#include "vst3/IPlugParameter.h"

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

// User-interface thread.
tresult PLUGIN_API IPlugVST3::getParamStringByValue(ParamID id, ParamValue normalised,
                                                    String128 text) {
    if (!IsCoreParameter(id) || !text)
        return kResultFalse;
    IPlugParameter::DisplayText(*GetParam(static_cast<int>(id)), normalised, text);
    return kResultOk;
}

// User-interface thread.
ParamValue PLUGIN_API IPlugVST3::plainParamToNormalized(ParamID id, ParamValue plain) {
    if (!IsCoreParameter(id))
        return plain;
    return GetParam(static_cast<int>(id))->ToNormalised(plain);
}

// Any thread, no lock: the values and the bypass flag are read atomically, so a host polling
// them for its automation lanes never holds up the audio thread.
ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID id) {
    if (IsCoreParameter(id))
        return GetParam(static_cast<int>(id))->GetNormalised();
    if (id == BypassParamId)
        return bypassed ? 1.0 : 0.0;
    return 0.0;
}

// User-interface thread; takes the plug-in lock for the store only, as the audio thread's
// blocks that hold it read and write the value.
tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID id, ParamValue value) {
    if (!IsCoreParameter(id))
        return kResultFalse;
    if (!std::isfinite(value))
        return kResultFalse;
    const double normalised = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    PluginLockGuard guard(lock);
    GetParam(static_cast<int>(id))->SetFromNormalised(normalised);
    return kResultOk;
}

// User-interface thread: the editor's mouse-down over a parameter control.
void IPlugVST3::BeginHostEdit(int index) {
    if (index >= 0 && index < NParams())
        beginEdit(static_cast<ParamID>(index));
}

// User-interface thread, under the plug-in lock (from SetParameterFromEditor).
void IPlugVST3::SendHostEdit(int index, double normalised) {
    if (index >= 0 && index < NParams())
        performEdit(static_cast<ParamID>(index), normalised);
}

// User-interface thread: the editor's mouse-up over a parameter control.
void IPlugVST3::EndHostEdit(int index) {
    if (index >= 0 && index < NParams())
        endEdit(static_cast<ParamID>(index));
}
