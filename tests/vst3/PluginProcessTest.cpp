// Processing and state transfer through the test bundle: parameter changes, bypass, presets,
// the connection of host buffers, latency, and the state stream.
#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/TestPlugParams.h"
#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using PluginTestHost::AudioBlock;
using PluginTestHost::BuiltBundles;

namespace {

constexpr ParamID kPresetId = 0x70727374;
constexpr ParamID kBypassId = 0x62706173;
constexpr int kBlockSize = 64;

// Checks that every output frame of the stereo block is the input times `factor`.
void ExpectScaled(const AudioBlock& block, double factor, const char* what) {
    for (int c = 0; c < 2; ++c)
        for (int n = 0; n < block.Frames(); ++n)
            if (block.Out(c, n) != block.Scaled(c, n, factor)) {
                ADD_FAILURE() << what << ": channel " << c << " frame " << n << " is "
                              << block.Out(c, n) << ", expected " << block.In(c, n) * factor;
                return;
            }
}

class PluginProcess : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        module = PluginTestHost::Load(BuiltBundles()[0].path);
        ASSERT_TRUE(module);
        plug = PluginTestHost::CreateRunning(module->getFactory(), kBlockSize, GetParam());
        ASSERT_TRUE(plug.component);
    }
    void TearDown() override {
        if (plug.component)
            plug.component->terminate();
    }

    tresult Process(AudioBlock& block) { return plug.processor->process(block.Data()); }

    std::unique_ptr<Hosting::Module> module;
    PluginTestHost::Instance plug;
};

} // namespace

TEST_P(PluginProcess, AutomationBypassAndPresets) {
    const double modeHalf = 0.5;
    {
        SCOPED_TRACE("default Mode 1 doubles the input");
        AudioBlock block(kBlockSize, GetParam());
        EXPECT_EQ(Process(block), kResultOk);
        ExpectScaled(block, 2.0, "default");
    }
    {
        SCOPED_TRACE("the last point of a queue wins for the whole block");
        AudioBlock block(kBlockSize, GetParam());
        block.Change(TestPlugParams::kMode, 0.2, 0);
        block.Change(TestPlugParams::kMode, 0.8, 40);
        EXPECT_EQ(Process(block), kResultOk);
        ExpectScaled(block, 3.0, "Mode at 0.8");
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kMode), 1.0);
    }
    {
        SCOPED_TRACE("host values outside 0..1 are clamped, NaN is ignored");
        AudioBlock block(kBlockSize, GetParam());
        block.Change(TestPlugParams::kGain, 7.0);
        block.Change(TestPlugParams::kTone, -2.0);
        block.Change(TestPlugParams::kMode, std::numeric_limits<double>::quiet_NaN());
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kGain), 1.0);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kTone), 0.0);
        ExpectScaled(block, 3.0, "Mode untouched by NaN");
    }
    {
        SCOPED_TRACE("bypass at exactly one half stays off; above it passes the input through");
        AudioBlock half(kBlockSize, GetParam());
        half.Change(kBypassId, 0.5);
        EXPECT_EQ(Process(half), kResultOk);
        ExpectScaled(half, 3.0, "bypass 0.5");
        EXPECT_EQ(plug.controller->getParamNormalized(kBypassId), 0.0);
        AudioBlock on(kBlockSize, GetParam());
        on.Change(kBypassId, 0.51);
        EXPECT_EQ(Process(on), kResultOk);
        ExpectScaled(on, 1.0, "bypass 0.51");
        EXPECT_EQ(plug.controller->getParamNormalized(kBypassId), 1.0);
        AudioBlock off(kBlockSize, GetParam());
        off.Change(kBypassId, 0.0);
        EXPECT_EQ(Process(off), kResultOk);
        ExpectScaled(off, 3.0, "bypass off again");
    }
    {
        SCOPED_TRACE("a program change recalls the default preset");
        AudioBlock block(kBlockSize, GetParam());
        block.Change(kPresetId, 0.3);
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kMode), modeHalf);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kGain), 0.5);
        ExpectScaled(block, 2.0, "after the recall");
    }
}

TEST_P(PluginProcess, HostBuffersAndBlockShapes) {
    {
        SCOPED_TRACE("flush calls: no samples, no buffers, changes still applied");
        ProcessData flush{};
        flush.symbolicSampleSize = GetParam() ? kSample64 : kSample32;
        EXPECT_EQ(plug.processor->process(flush), kResultOk);
        AudioBlock changes(0, GetParam(), 0, 0);
        changes.Change(TestPlugParams::kMode, 0.0);
        changes.Data().inputs = nullptr;
        changes.Data().outputs = nullptr;
        changes.Data().numInputs = changes.Data().numOutputs = 0;
        EXPECT_EQ(Process(changes), kResultOk);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kMode), 0.0);
        AudioBlock emptyBuses(0, GetParam(), 0, 0);
        EXPECT_EQ(Process(emptyBuses), kResultOk) << "buses with no channels";
        AudioBlock negative(kBlockSize, GetParam());
        negative.Data().numSamples = -50000;
        EXPECT_EQ(Process(negative), kResultOk);
        EXPECT_EQ(negative.Out(0, 0), -7.0) << "a negative block wrote to the host";
        AudioBlock back(0, GetParam(), 0, 0);
        back.Change(TestPlugParams::kMode, 0.5);
        EXPECT_EQ(Process(back), kResultOk);
    }
    {
        SCOPED_TRACE("a block longer than the set-up block size is processed whole");
        AudioBlock block(3 * kBlockSize + 17, GetParam());
        EXPECT_EQ(Process(block), kResultOk);
        ExpectScaled(block, 2.0, "long block");
    }
    {
        SCOPED_TRACE("a mono input bus leaves the second channel on silence, not host data");
        AudioBlock block(kBlockSize, GetParam(), 1, 2);
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(block.Out(0, 5), block.Scaled(0, 5, 2.0));
        EXPECT_EQ(block.Out(1, 5), 0.0);
    }
    {
        SCOPED_TRACE("a channel that loses its host input does not replay its last block");
        AudioBlock stereo(kBlockSize, GetParam());
        EXPECT_EQ(Process(stereo), kResultOk);
        AudioBlock mono(kBlockSize, GetParam(), 1, 2);
        EXPECT_EQ(Process(mono), kResultOk);
        EXPECT_EQ(mono.Out(1, 5), 0.0);
    }
    {
        SCOPED_TRACE("null channel pointers and a missing bus array are not touched");
        AudioBlock block(kBlockSize, GetParam());
        std::vector<void*> none(2, nullptr);
        AudioBusBuffers empty{};
        empty.numChannels = 2;
        empty.channelBuffers32 = reinterpret_cast<Sample32**>(none.data());
        block.Data().inputs = &empty;
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(block.Out(0, 0), 0.0);
        block.Data().inputs = nullptr;
        block.Data().outputs = nullptr;
        EXPECT_EQ(Process(block), kResultOk);
    }
    {
        SCOPED_TRACE("an inactive output bus is not written");
        EXPECT_EQ(plug.component->activateBus(kAudio, kOutput, 0, 0), kResultOk);
        AudioBlock block(kBlockSize, GetParam());
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(block.Out(0, 0), -7.0);
        EXPECT_EQ(block.Out(1, kBlockSize - 1), -7.0);
        EXPECT_EQ(plug.component->activateBus(kAudio, kOutput, 0, 1), kResultOk);
        AudioBlock again(kBlockSize, GetParam());
        EXPECT_EQ(Process(again), kResultOk);
        ExpectScaled(again, 2.0, "active again");
    }
    {
        SCOPED_TRACE("a block of the other sample size touches no buffer");
        AudioBlock block(kBlockSize, !GetParam());
        EXPECT_EQ(Process(block), kResultOk);
        EXPECT_EQ(block.Out(0, 0), -7.0);
    }
}

TEST_P(PluginProcess, LatencyReachesTheHostAndDelaysTheBypass) {
    IPtr<Hosting::ComponentHandler> handler =
        IPtr<Hosting::ComponentHandler>::adopt(new Hosting::ComponentHandler);
    EXPECT_EQ(plug.controller->setComponentHandler(handler.get()), kResultOk);
    plug.component->setActive(0);
    EXPECT_EQ(plug.controller->setParamNormalized(TestPlugParams::kLatency, 3.0 / 8.0), kResultOk);
    EXPECT_EQ(plug.component->setActive(1), kResultOk);
    EXPECT_EQ(plug.processor->getLatencySamples(), 3u);
    bool restarted = false;
    for (const Hosting::HandlerCall& call : handler->getCalls())
        restarted |= call.kind == Hosting::HandlerCall::restartComponent && call.flags == 8;
    EXPECT_TRUE(restarted) << "the host was not told of the latency change";

    AudioBlock block(kBlockSize, GetParam());
    block.Change(kBypassId, 1.0);
    EXPECT_EQ(Process(block), kResultOk);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(block.Out(0, n), 0.0) << n;
    EXPECT_EQ(block.Out(0, 3), block.In(0, 0));
    EXPECT_EQ(block.Out(1, kBlockSize - 1), block.In(1, kBlockSize - 4));
    plug.controller->setComponentHandler(nullptr);
}

TEST_P(PluginProcess, StateStream) {
    const int parameters = TestPlugParams::kNumParams;
    auto saved = [&] {
        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
        EXPECT_EQ(plug.controller->getState(stream.get()), kResultOk);
        return stream->data();
    };
    auto load = [&](std::vector<uint8> bytes, int failReadsAfter = -1) {
        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream(std::move(bytes)));
        stream->failReadsAfter(failReadsAfter);
        return plug.controller->setState(stream.get());
    };
    auto value = [](const std::vector<uint8>& bytes, int index) {
        double out;
        std::memcpy(&out, bytes.data() + 8 * index, sizeof out);
        return out;
    };
    auto store = [](std::vector<uint8>& bytes, int index, double v) {
        std::memcpy(bytes.data() + 8 * index, &v, sizeof v);
    };

    const std::vector<uint8> defaults = saved();
    ASSERT_EQ(defaults.size(), 8u * parameters + 4);
    EXPECT_EQ(value(defaults, TestPlugParams::kGain), 0.0);
    EXPECT_EQ(value(defaults, TestPlugParams::kMode), 1.0);
    EXPECT_EQ(std::vector<uint8>(defaults.end() - 4, defaults.end()),
              (std::vector<uint8>{0, 0, 0, 0}));
    {
        SCOPED_TRACE("bypass is saved after the values");
        AudioBlock block(kBlockSize, GetParam());
        block.Change(kBypassId, 1.0);
        block.Change(TestPlugParams::kGain, 1.0);
        Process(block);
        const std::vector<uint8> bypassed = saved();
        EXPECT_EQ(std::vector<uint8>(bypassed.end() - 4, bypassed.end()),
                  (std::vector<uint8>{1, 0, 0, 0}));
        EXPECT_EQ(value(bypassed, TestPlugParams::kGain), 18.0);
        EXPECT_EQ(load(defaults), kResultOk);
        EXPECT_EQ(plug.controller->getParamNormalized(kBypassId), 0.0);
        EXPECT_EQ(plug.controller->getParamNormalized(TestPlugParams::kGain), 0.5);
        EXPECT_EQ(load(bypassed), kResultOk);
        EXPECT_EQ(saved(), bypassed) << "a round trip changed the state";
    }
    {
        SCOPED_TRACE("stored values are clamped, NaN becomes the default");
        std::vector<uint8> bytes = defaults;
        store(bytes, TestPlugParams::kGain, 25.0);
        store(bytes, TestPlugParams::kMode, std::numeric_limits<double>::quiet_NaN());
        store(bytes, TestPlugParams::kTone, -std::numeric_limits<double>::infinity());
        EXPECT_EQ(load(bytes), kResultOk);
        const std::vector<uint8> loaded = saved();
        EXPECT_EQ(value(loaded, TestPlugParams::kGain), 18.0);
        EXPECT_EQ(value(loaded, TestPlugParams::kMode), 1.0);
        EXPECT_EQ(value(loaded, TestPlugParams::kTone), 0.0);
    }
    {
        SCOPED_TRACE("short streams");
        std::vector<uint8> current = defaults;
        store(current, TestPlugParams::kGain, -6.0);
        store(current, TestPlugParams::kSwitch, 1.0);
        ASSERT_EQ(load(current), kResultOk);

        std::vector<uint8> incoming = defaults;
        incoming.resize(8 + 3); // Gain whole, three low bytes of Mode
        EXPECT_EQ(load(incoming), kResultFalse);
        std::vector<uint8> noBypass(defaults.begin(), defaults.end() - 4);
        EXPECT_EQ(load(noBypass, 1), kResultFalse) << "the bypass read failed";
        EXPECT_EQ(load({}, 0), kResultFalse);
        EXPECT_EQ(saved(), current) << "a refused stream changed the state";
        EXPECT_EQ(plug.controller->setState(nullptr), kResultFalse);
    }
    {
        SCOPED_TRACE("the component's state pair is the controller's");
        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
        EXPECT_EQ(plug.component->getState(stream.get()), kResultOk);
        EXPECT_EQ(stream->data(), saved());
    }
}

INSTANTIATE_TEST_SUITE_P(SampleSizes, PluginProcess, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Double") : std::string("Float");
                         });

TEST(PluginProcessInstances, InstancesAreIndependent) {
    for (const PluginTestHost::BundleUnderTest& bundle : BuiltBundles()) {
        SCOPED_TRACE(bundle.label);
        auto module = PluginTestHost::Load(bundle.path);
        ASSERT_TRUE(module);
        PluginTestHost::Instance first =
            PluginTestHost::CreateRunning(module->getFactory(), 256, false);
        PluginTestHost::Instance second =
            PluginTestHost::CreateRunning(module->getFactory(), 512, true);
        ASSERT_TRUE(first.component && second.component);
        const double before = second.controller->getParamNormalized(0);
        first.controller->setParamNormalized(0, before > 0.5 ? 0.0 : 1.0);
        EXPECT_EQ(second.controller->getParamNormalized(0), before);

        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
        EXPECT_EQ(second.controller->getState(stream.get()), kResultOk);
        EXPECT_EQ(static_cast<int>(stream->data().size()), 8 * (bundle.hostParameters - 2) + 4);

        for (int pass = 0; pass < 2; ++pass) {
            AudioBlock block(pass == 0 ? 256 : 700, false);
            block.Change(0, 0.7);
            EXPECT_EQ(first.processor->process(block.Data()), kResultOk);
            for (int c = 0; c < 2; ++c)
                for (int n = 0; n < block.Frames(); ++n)
                    ASSERT_TRUE(std::isfinite(block.Out(c, n))) << c << ":" << n;
        }
        AudioBlock bypassed(512, true);
        bypassed.Change(kBypassId, 1.0);
        EXPECT_EQ(second.processor->process(bypassed.Data()), kResultOk);
        ExpectScaled(bypassed, 1.0, "bypassed block");
        first.component->terminate();
        second.component->terminate();
    }
}
