#include "engine/Sorvel.h"

#include "engine/ProcessChain.h"
#include "engine/SorvelEditorLayout.h"
#include "engine/SorvelParameters.h"
#include "engine/UpdateFilters.h"
#include "graphics/IGraphics.h"

#include <algorithm>

namespace {

PlugConfig SorvelConfig() {
    PlugConfig config;
    config.parameterCount = kNumSorvelParams;
    config.channelIo = "1-1 2-2";
    config.presetCount = 1;
    config.effectName = "Sorvel";
    config.productName = "";
    config.vendorName = "Velmora";
    config.version = 0x30000;
    config.uniqueId = FourCharCode("Srv1");
    config.vendorId = FourCharCode("Vlmr");
    return config;
}

// Channel A parameters come first in every pair of the parameter list.
Channel ChannelOf(int pairIndex) {
    return pairIndex % 2 == 0 ? ChannelA : ChannelB;
}

} // namespace

Sorvel::Sorvel() : PlugAdapter(SorvelConfig()) {
    for (const SorvelParamDeclaration& p : kSorvelIntegerParams)
        GetParam(p.index)->DeclareInteger(p.name, p.defaultValue, p.minimum, p.maximum, "", "");
    for (const SorvelParamDeclaration& p : kSorvelContinuousParams)
        GetParam(p.index)->DeclareContinuous(p.name, p.defaultValue, p.minimum, p.maximum,
                                             kContinuousStep, kContinuousLabel, "", 1.0);

    AttachEditor(BuildSorvelEditor(this));
    CapturePreset("-");
}

Sorvel::~Sorvel() = default;

double* Sorvel::MirrorFor(int index) {
    if (index >= kHighGainL && index <= kHighGainR)
        return &mirrors.gainMirror[HighBand][ChannelOf(index - kHighGainL)];
    if (index >= kMidGain1L && index <= kMidGain4R)
        return &mirrors
                    .gainMirror[MidBand1 + (index - kMidGain1L) / 2][ChannelOf(index - kMidGain1L)];
    if (index >= kLowGainL && index <= kLowGainR)
        return &mirrors.gainMirror[LowBand][ChannelOf(index - kLowGainL)];
    if (index >= kOutL && index <= kOutR)
        return &mirrors.outputGainMirror[ChannelOf(index - kOutL)];
    if (index == kDrive)
        return &mirrors.driveMirror;
    if (index >= kHighFreqL && index <= kHighFreqR)
        return &mirrors.selectorMirror[HighBand][ChannelOf(index - kHighFreqL)];
    if (index >= kMidFreq1L && index <= kMidFreq4R)
        return &mirrors.selectorMirror[MidBand1 + (index - kMidFreq1L) / 2]
                                      [ChannelOf(index - kMidFreq1L)];
    if (index >= kLowFreqL && index <= kLowFreqR)
        return &mirrors.selectorMirror[LowBand][ChannelOf(index - kLowFreqL)];
    if (index >= kLowCutL && index <= kLowCutR)
        return &mirrors.selectorMirror[LowCut][ChannelOf(index - kLowCutL)];
    return nullptr;
}

void Sorvel::ParameterChanged(int index) {
    PluginLockGuard guard(lock);
    const ICoreParameter* parameter = GetParam(index);
    double* mirror = MirrorFor(index);
    if (parameter && mirror)
        *mirror = parameter->value;
}

const char* Sorvel::HostTitle(int index) const {
    return index == kOversampling ? "OVERSAMPLING" : nullptr;
}

void Sorvel::UpdateLinkedPairs() {
    const int link = TruncateToInt32(GetParam(kLink)->value);
    for (const LinkedPair& pair : kLinkedPairs) {
        const double a = *MirrorFor(pair.a);
        double* b = MirrorFor(pair.b);
        ICoreParameter* partner = GetParam(pair.b);
        if (link == 0) {
            const double followed = partner->ClampToRange(a);
            // The partner's control already shows a value its record still holds: most blocks
            // change nothing, and a render should not pay for the editor every block.
            const bool moved = partner->value != followed;
            partner->value = followed;
            *b = a;
            if (editor && moved)
                editor->ParameterChangedInCore(pair.b, a, false);
        } else if (link == 1) {
            partner->value = partner->ClampToRange(*b);
        }
    }
}

void Sorvel::ResetProcessing() {
    PlugAdapter::ResetProcessing();
    PluginLockGuard guard(lock);
    settingsTaken.store(false, std::memory_order_relaxed);
}

void Sorvel::ProcessBlock(double** inputs, double** outputs, int frames) {
    // Another thread holds the lock and may be writing the values and the mirrors: the designs,
    // mirrors and switches of the last block stay.
    if (!BlockRepeatsSettings()) {
        UpdateLinkedPairs();
        mirrors.CopyInto(state);
        UpdateFilters(state, SampleRate());
        switches.midSide = TruncateToInt32(GetParam(kMidSide)->value);
        switches.bypass = TruncateToInt32(GetParam(kBypass)->value);
        switches.oversampling = TruncateToInt32(GetParam(kOversampling)->value);
        settingsTaken.store(true, std::memory_order_relaxed);
    }
    if (frames <= 0)
        return;
    if (!settingsTaken.load(std::memory_order_relaxed)) {
        for (int i = 0; outputs && i < NOutChannels(); ++i)
            if (outputs[i])
                std::fill(outputs[i], outputs[i] + frames, 0.0);
        return;
    }
    ProcessChain(state, switches, inputs, outputs, frames);
}
