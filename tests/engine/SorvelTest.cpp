// The plug-in class: its parameter set, the mirrors, the link step and block processing, driven
// directly rather than through a host.
#include "engine/Sorvel.h"
#include "engine/SorvelParameters.h"
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A Sorvel as a host holds it: created, then released through its reference count.
struct SorvelInstance {
    Sorvel* plug = new Sorvel;
    ~SorvelInstance() { plug->release(); }
    Sorvel* operator->() const { return plug; }
};

// Runs one block of `frames` in place.
void RunBlock(Sorvel& plug, std::vector<double>& left, std::vector<double>& right) {
    double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {left.data(), right.data()};
    plug.ProcessBlock(inputs, outputs, static_cast<int>(left.size()));
}

void SetPlain(Sorvel& plug, int index, double plain) {
    ICoreParameter* parameter = plug.GetParam(index);
    parameter->value = plain;
    plug.ParameterChanged(index);
}

std::string Formatted(const ICoreParameter& parameter) {
    char text[32];
    parameter.FormatValue(text, sizeof text);
    return text;
}

// The editor control bound to a parameter.
IControl* ControlFor(Sorvel& plug, int index) {
    auto* graphics = static_cast<IGraphics*>(plug.Editor());
    for (int i = 0; i < graphics->NControls(); ++i)
        if (graphics->GetControl(i)->ParamIdx() == index)
            return graphics->GetControl(i);
    return nullptr;
}

} // namespace

TEST(Sorvel, DeclaresItsParameterTable) {
    SorvelInstance sorvel;
    ASSERT_EQ(sorvel->NParams(), 33);

    for (const SorvelParamDeclaration& p : kSorvelContinuousParams) {
        SCOPED_TRACE(p.name);
        const ICoreParameter& parameter = *sorvel->GetParam(p.index);
        EXPECT_STREQ(parameter.name, p.name);
        EXPECT_EQ(parameter.kind, KindContinuous);
        EXPECT_EQ(parameter.minimum, p.minimum);
        EXPECT_EQ(parameter.maximum, p.maximum);
        EXPECT_EQ(parameter.value, p.defaultValue);
        EXPECT_EQ(parameter.displayPrecision, 2);
        EXPECT_STREQ(parameter.DisplayLabel(), "%");
    }
    for (const SorvelParamDeclaration& p : kSorvelIntegerParams) {
        SCOPED_TRACE(p.name);
        const ICoreParameter& parameter = *sorvel->GetParam(p.index);
        EXPECT_STREQ(parameter.name, p.name);
        EXPECT_EQ(parameter.kind, KindInteger);
        EXPECT_EQ(parameter.step, 1.0);
        EXPECT_STREQ(parameter.label, "");
    }
    EXPECT_EQ(Formatted(*sorvel->GetParam(kDrive)), "-40.00");
    EXPECT_EQ(Formatted(*sorvel->GetParam(kMidSide)), "1");
    EXPECT_EQ(Formatted(*sorvel->GetParam(kLowCutL)), "1");

    // The oversampling switch is never declared: a fresh 0..1 record without name or label.
    const ICoreParameter& oversampling = *sorvel->GetParam(kOversampling);
    EXPECT_EQ(oversampling.kind, KindUnset);
    EXPECT_STREQ(oversampling.name, "");
    EXPECT_EQ(oversampling.maximum, 1.0);
    sorvel->GetParam(kOversampling)->SetFromNormalised(0.6);
    EXPECT_EQ(oversampling.value, 1.0);
}

TEST(Sorvel, CapturesTheDefaultsAsPresetZero) {
    SorvelInstance sorvel;
    ASSERT_EQ(sorvel->NPresets(), 1);
    EXPECT_STREQ(sorvel->PresetName(0), "-");

    // Construction leaves the drive mirror at 0; the recall at initialisation fills it.
    EXPECT_EQ(sorvel->Mirrors().driveMirror, 0.0);
    sorvel->GetParam(kDrive)->value = -25.0;
    ASSERT_TRUE(sorvel->RecallPreset(0));
    EXPECT_EQ(sorvel->GetParam(kDrive)->value, -40.0);
    EXPECT_EQ(sorvel->Mirrors().driveMirror, -40.0);
    EXPECT_EQ(sorvel->Mirrors().selectorMirror[LowCut][ChannelA], 1.0);
}

TEST(Sorvel, ParameterChangedFillsOnlyItsMirror) {
    SorvelInstance sorvel;
    SetPlain(*sorvel.plug, kMidGain3R, 2.5);
    SetPlain(*sorvel.plug, kOutL, -6.0);
    SetPlain(*sorvel.plug, kMidFreq2L, 2.0);
    SetPlain(*sorvel.plug, kLowFreqR, 1.0);
    SetPlain(*sorvel.plug, kHighGainL, 7.0);
    const ParameterMirrors& state = sorvel->Mirrors();
    EXPECT_EQ(state.gainMirror[MidBand3][ChannelB], 2.5);
    EXPECT_EQ(state.gainMirror[MidBand3][ChannelA], 0.0);
    EXPECT_EQ(state.outputGainMirror[ChannelA], -6.0);
    EXPECT_EQ(state.selectorMirror[MidBand2][ChannelA], 2.0);
    EXPECT_EQ(state.selectorMirror[LowBand][ChannelB], 1.0);
    EXPECT_EQ(state.gainMirror[HighBand][ChannelA], 7.0);

    // Switches have no mirror, and indices outside the list change nothing.
    const ParameterMirrors before = sorvel->Mirrors();
    SetPlain(*sorvel.plug, kLink, 1.0);
    sorvel->ParameterChanged(-1);
    sorvel->ParameterChanged(99);
    EXPECT_EQ(
        std::memcmp(&before.gainMirror, &sorvel->Mirrors().gainMirror, sizeof before.gainMirror),
        0);
}

TEST(Sorvel, LinkStepMakesChannelBFollowChannelA) {
    SorvelInstance sorvel;
    sorvel->RecallPreset(0);
    std::vector<double> left(16, 0.1), right(16, 0.1);

    {
        SCOPED_TRACE("LINK 0: a change of HGAINR alone lasts until the next block");
        SetPlain(*sorvel.plug, kHighGainL, 6.0);
        SetPlain(*sorvel.plug, kHighGainR, -3.0);
        RunBlock(*sorvel.plug, left, right);
        EXPECT_EQ(sorvel->GetParam(kHighGainR)->value, 6.0);
        EXPECT_EQ(sorvel->State().gainMirror[HighBand][ChannelB], 6.0);
        IControl* knob = ControlFor(*sorvel.plug, kHighGainR);
        ASSERT_NE(knob, nullptr);
        EXPECT_DOUBLE_EQ(knob->GetValue(), (6.0 + 18.0) / 36.0);
    }
    {
        SCOPED_TRACE("LINK 0 -> 1 keeps the copied values, then B is independent");
        SetPlain(*sorvel.plug, kLink, 1.0);
        RunBlock(*sorvel.plug, left, right);
        EXPECT_EQ(sorvel->GetParam(kHighGainR)->value, 6.0);
        SetPlain(*sorvel.plug, kHighGainR, -3.0);
        SetPlain(*sorvel.plug, kMidFreq3R, 2.0);
        RunBlock(*sorvel.plug, left, right);
        EXPECT_EQ(sorvel->GetParam(kHighGainR)->value, -3.0);
        EXPECT_EQ(sorvel->State().gainMirror[HighBand][ChannelA], 6.0);
        EXPECT_EQ(sorvel->State().frequency[MidBand3][ChannelB], 2000.0);
        EXPECT_EQ(sorvel->State().frequency[MidBand3][ChannelA], 1000.0);
    }
}

TEST(Sorvel, EmptyBlockStillLinksAndDesigns) {
    SorvelInstance sorvel;
    sorvel->RecallPreset(0);
    SetPlain(*sorvel.plug, kLowFreqL, 1.0);
    SetPlain(*sorvel.plug, kOutL, 4.0);
    double* none[2] = {nullptr, nullptr};
    sorvel->ProcessBlock(none, none, 0);
    EXPECT_EQ(sorvel->GetParam(kLowFreqR)->value, 1.0);
    EXPECT_EQ(sorvel->GetParam(kOutR)->value, 4.0);
    EXPECT_EQ(sorvel->State().frequency[LowBand][ChannelA], 60.0);
    EXPECT_EQ(sorvel->State().frequency[LowBand][ChannelB], 60.0);
}

TEST(Sorvel, BypassSwitchCopiesTheInput) {
    SorvelInstance sorvel;
    sorvel->RecallPreset(0);
    SetPlain(*sorvel.plug, kBypass, 1.0);
    SetPlain(*sorvel.plug, kDrive, -20.0);
    std::vector<double> left(256), right(256);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = 0.9 * std::sin(0.05 * static_cast<double>(i));
        right[i] = -0.3 + 1e-3 * static_cast<double>(i);
    }
    const std::vector<double> leftIn = left, rightIn = right;
    RunBlock(*sorvel.plug, left, right);
    EXPECT_EQ(left, leftIn);
    EXPECT_EQ(right, rightIn);
}

TEST(Sorvel, InstancesAreIndependent) {
    SorvelInstance first, second;
    SetPlain(*first.plug, kDrive, -22.0);
    EXPECT_EQ(second->GetParam(kDrive)->value, -40.0);
    EXPECT_EQ(second->Mirrors().driveMirror, 0.0);
    StateChunk a, b;
    ASSERT_TRUE(first->SaveState(a));
    ASSERT_TRUE(second->SaveState(b));
    EXPECT_EQ(a.Size(), 264);
    EXPECT_NE(std::memcmp(a.Bytes(), b.Bytes(), 264), 0);
}
