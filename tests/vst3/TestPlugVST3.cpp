#include "tests/vst3/TestPlugVST3.h"

namespace {

PlugConfig TestPlugConfig() {
    PlugConfig config;
    config.parameterCount = TestPlugVST3::kNumParams;
    config.channelIo = "1-1 2-2";
    config.presetCount = 1;
    config.effectName = "SorvelTest";
    config.vendorName = "Velmora";
    config.version = 0x10203;
    config.uniqueId = FourCharCode("Tst1");
    config.vendorId = FourCharCode("Vlmr");
    return config;
}

} // namespace

TestPlugVST3::TestPlugVST3(bool withEditor) : IPlugVST3(TestPlugConfig()) {
    GetParam(kGain)->DeclareContinuous("Gain", 0.0, -18.0, 18.0, 0.01, "dB");
    GetParam(kMode)->DeclareInteger("Mode", 1.0, 0.0, 2.0);
    GetParam(kSwitch)->DeclareBoolean("Switch", 0.0, "sw");
    GetParam(kSwitch)->AppendDisplayText(0, "off");
    GetParam(kSwitch)->AppendDisplayText(1, "on");
    GetParam(kLatency)->DeclareInteger("Latency", 0.0, 0.0, 8.0);
    GetParam(kTrim)->DeclareContinuous("Trim", 0.25, 0.0, 1.0, 0.001, "", "Extra", 2.0);
    GetParam(kTone)->DeclareContinuous("Tone", 0.0, 0.0, 1.0, 0.1, "", "Colour");
    GetParam(kWidth)->DeclareContinuous("Width", 1.0, 0.0, 2.0, 0.5, "x", "Extra");
    if (withEditor)
        AttachEditor(new TestPlugEditor(this));
    CapturePreset("-");
}

void TestPlugVST3::ParameterChanged(int index) {
    IPlugVST3::ParameterChanged(index);
    ++parameterChanges;
}

void TestPlugVST3::ProcessBlock(double** inputs, double** outputs, int frames) {
    const double factor = 1.0 + GetParam(kMode)->value;
    for (int c = 0; c < NOutChannels(); ++c)
        for (int n = 0; n < frames; ++n)
            outputs[c][n] = c < NInChannels() ? inputs[c][n] * factor : 0.0;
}

void TestPlugVST3::ActivationChanged(bool active) {
    IPlugVST3::ActivationChanged(active);
    if (active)
        SetLatencySamples(TruncateToInt32(GetParam(kLatency)->value));
}
