// Sorvel.lv2 as a host sees it through lilv, held against the VST 3 bundle built from the same
// engine: its ports, its sound, its state and its lifetime.
#include "Lv2TestHost.h"
#include "tests/vst3/PluginTestHost.h"

#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>
#include <lv2/units/units.h>

#include <cctype>
#include <cstring>
#include <dlfcn.h>
#include <malloc.h>
#include <utility>

using namespace Steinberg;
using Lv2TestHost::Instance;
using Lv2TestHost::World;

namespace {

using Settings = std::vector<std::pair<const char*, float>>;
using Audio = std::vector<std::vector<float>>;

// Values exact in single precision, so the host's float ports carry them unchanged.
const Settings kSettings = {{"hgainl", 3.5f}, {"mgain2r", -2.25f}, {"drive", -30.0f},
                            {"link", 1.0f},   {"ms", 0.0f},        {"hfreqr", 2.0f},
                            {"lcutl", 0.0f},  {"outr", -1.5f},     {"oversampling", 1.0f}};

std::string Lower(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The VST 3 bundle, rendering blocks of `blockSize` frames after one change per setting.
class Vst3Sorvel {
  public:
    explicit Vst3Sorvel(int blockSize)
        : module(PluginTestHost::Load(SORVEL_BUNDLE)),
          instance(PluginTestHost::CreateRunning(module->getFactory(), blockSize, false)),
          blockSize(blockSize) {}

    // The core parameter a host lists under `symbol` (its title, lower-cased).
    Vst::ParamID IdOf(const char* symbol) {
        for (int32 i = 0; i < instance.controller->getParameterCount(); ++i) {
            Vst::ParameterInfo info{};
            instance.controller->getParameterInfo(i, info);
            if (Lower(PluginTestHost::Narrow(info.title)) == symbol)
                return info.id;
        }
        ADD_FAILURE() << "the VST 3 plug-in has no parameter " << symbol;
        return 0;
    }

    Audio Render(const Audio& input, const Settings& settings, bool bypass) {
        auto changes = IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
        auto change = [&changes](Vst::ParamID id, double normalised) {
            int32 index = 0;
            changes->addParameterData(id, index)->addPoint(0, normalised, index);
        };
        for (const auto& [symbol, plain] : settings) {
            const Vst::ParamID id = IdOf(symbol);
            change(id, instance.controller->plainParamToNormalized(id, plain));
        }
        change(0x62706173, bypass ? 1.0 : 0.0); // the host bypass, "bpas"

        const size_t frames = input[0].size();
        Audio output(2, std::vector<float>(frames));
        for (size_t done = 0; done < frames; done += static_cast<size_t>(blockSize)) {
            const int block = static_cast<int>(std::min<size_t>(blockSize, frames - done));
            float* in[2] = {const_cast<float*>(input[0].data() + done),
                            const_cast<float*>(input[1].data() + done)};
            float* out[2] = {output[0].data() + done, output[1].data() + done};
            Vst::AudioBusBuffers inBus{}, outBus{};
            inBus.numChannels = outBus.numChannels = 2;
            inBus.channelBuffers32 = in;
            outBus.channelBuffers32 = out;
            Vst::ProcessData data{};
            data.symbolicSampleSize = Vst::kSample32;
            data.numSamples = block;
            data.numInputs = data.numOutputs = 1;
            data.inputs = &inBus;
            data.outputs = &outBus;
            data.inputParameterChanges = changes.get();
            EXPECT_EQ(instance.processor->process(data), kResultOk);
            changes->clear();
        }
        return output;
    }

    std::unique_ptr<Hosting::Module> module;
    PluginTestHost::Instance instance;
    int blockSize;
};

// "" when equal sample for sample (bits of floats), else the first difference.
std::string FirstDifference(const Audio& a, const Audio& b) {
    for (size_t c = 0; c < a.size(); ++c)
        for (size_t n = 0; n < a[c].size(); ++n)
            if (std::memcmp(&a[c][n], &b[c][n], sizeof(float)) != 0)
                return "channel " + std::to_string(c) + " frame " + std::to_string(n) + ": " +
                       std::to_string(a[c][n]) + " vs " + std::to_string(b[c][n]);
    return "";
}

Audio RenderLv2(World& world, const Audio& input, const Settings& settings, bool bypass,
                const std::vector<int>& blocks) {
    Instance plug(world);
    for (const auto& [symbol, value] : settings)
        plug.Set(symbol, value);
    plug.Set("enabled", bypass ? 0.0f : 1.0f);
    return plug.Render(input, blocks);
}

class Lv2Plugin : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(world.Plugin(), nullptr) << "lilv did not find Sorvel"; }
    World world;
};

// The state interface of `plug` and the bytes its save stores.
struct SavedState {
    LV2_State_Status status = LV2_STATE_ERR_UNKNOWN;
    std::vector<unsigned char> bytes;
    uint32_t type = 0;
};

SavedState Save(const Instance& plug) {
    auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plug.Get(), LV2_STATE__interface));
    SavedState saved;
    saved.status = state->save(
        lilv_instance_get_handle(plug.Get()),
        [](LV2_State_Handle handle, uint32_t, const void* value, size_t size, uint32_t type,
           uint32_t) {
            auto* out = static_cast<SavedState*>(handle);
            const auto* bytes = static_cast<const unsigned char*>(value);
            out->bytes.assign(bytes, bytes + size);
            out->type = type;
            return LV2_STATE_SUCCESS;
        },
        &saved, 0, nullptr);
    return saved;
}

LV2_State_Status Restore(const Instance& plug, const SavedState& offered) {
    auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plug.Get(), LV2_STATE__interface));
    return state->restore(
        lilv_instance_get_handle(plug.Get()),
        [](LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
            const auto* in = static_cast<const SavedState*>(handle);
            *size = in->bytes.size();
            *type = in->type;
            *flags = LV2_STATE_IS_POD;
            return in->bytes.empty() ? nullptr : static_cast<const void*>(in->bytes.data());
        },
        const_cast<SavedState*>(&offered), 0, nullptr);
}

} // namespace

TEST_F(Lv2Plugin, PortsAreTheParametersTheVst3PluginPublishes) {
    Vst3Sorvel vst3(256);
    LilvWorld* w = world.Get();
    const LilvPlugin* plugin = world.Plugin();
    auto uri = [w](const char* text) { return lilv_new_uri(w, text); };
    LilvNode* integer = uri(LV2_CORE__integer);
    LilvNode* enumeration = uri(LV2_CORE__enumeration);
    LilvNode* unit = uri(LV2_UNITS__unit);
    LilvNode* percent = uri(LV2_UNITS__pc);
    LilvNode* control = uri(LV2_CORE__ControlPort);
    LilvNode* audio = uri(LV2_CORE__AudioPort);
    LilvNode* input = uri(LV2_CORE__InputPort);

    int coreParameters = 0;
    for (int32 i = 0; i < vst3.instance.controller->getParameterCount(); ++i) {
        Vst::ParameterInfo info{};
        vst3.instance.controller->getParameterInfo(i, info);
        if (info.id >= 0x1000)
            continue; // "Preset" and "Bypass": the host bypass is the "enabled" port
        ++coreParameters;
        const std::string symbol = Lower(PluginTestHost::Narrow(info.title));
        SCOPED_TRACE(symbol);
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, info.id);
        ASSERT_NE(port, nullptr);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), symbol.c_str());
        EXPECT_TRUE(lilv_port_is_a(plugin, port, control) && lilv_port_is_a(plugin, port, input));
        LilvNode *deflt = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port, &deflt, &min, &max);
        auto plain = [&](double normalised) {
            return vst3.instance.controller->normalizedParamToPlain(info.id, normalised);
        };
        EXPECT_EQ(lilv_node_as_float(min), static_cast<float>(plain(0.0)));
        EXPECT_EQ(lilv_node_as_float(max), static_cast<float>(plain(1.0)));
        EXPECT_EQ(lilv_node_as_float(deflt),
                  static_cast<float>(plain(info.defaultNormalizedValue)));
        lilv_node_free(deflt);
        lilv_node_free(min);
        lilv_node_free(max);

        const bool stepped = info.stepCount > 0;
        EXPECT_EQ(lilv_port_has_property(plugin, port, integer), stepped);
        EXPECT_EQ(lilv_port_has_property(plugin, port, enumeration), stepped);
        LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
        EXPECT_EQ(points ? lilv_scale_points_size(points) : 0u,
                  stepped ? static_cast<unsigned>(info.stepCount + 1) : 0u);
        lilv_scale_points_free(points);
        LilvNodes* units = lilv_port_get_value(plugin, port, unit);
        const std::string shown = PluginTestHost::Narrow(info.units);
        EXPECT_EQ(units && lilv_nodes_contains(units, percent), shown == "%") << shown;
        lilv_nodes_free(units);
    }
    EXPECT_EQ(coreParameters, 33);

    const int enabled = world.PortIndex("enabled");
    ASSERT_GE(enabled, 0);
    LilvNode* designation = uri(LV2_CORE__enabled);
    EXPECT_EQ(lilv_plugin_get_port_by_designation(plugin, input, designation),
              lilv_plugin_get_port_by_index(plugin, static_cast<uint32_t>(enabled)));
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, audio, input, nullptr), 2u);
    EXPECT_EQ(lilv_plugin_get_num_ports(plugin), 38u);

    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "Sorvel");
    LilvNode* maintainer = lilv_plugin_get_author_name(plugin);
    EXPECT_STREQ(maintainer ? lilv_node_as_string(maintainer) : "", "Velmora");
    LilvNode* type = uri(LILV_NS_RDF "type");
    LilvNode* eq = uri(LV2_CORE__EQPlugin);
    EXPECT_TRUE(lilv_world_ask(w, lilv_plugin_get_uri(plugin), type, eq));
    for (LilvNode* node : {integer, enumeration, unit, percent, control, audio, input, designation,
                           name, maintainer, type, eq})
        lilv_node_free(node);
}

TEST_F(Lv2Plugin, RendersWhatTheVst3PluginRendersBitForBit) {
    const Audio input = Lv2TestHost::Noise(12000, 7);
    {
        SCOPED_TRACE("processing; the LV2 host's blocks of every size, one frame included");
        const Audio vst3 = Vst3Sorvel(256).Render(input, kSettings, false);
        EXPECT_EQ(FirstDifference(RenderLv2(world, input, kSettings, false, {256}), vst3), "");
        EXPECT_EQ(
            FirstDifference(RenderLv2(world, input, kSettings, false, {1, 255, 1000, 37}), vst3),
            "");
    }
    {
        SCOPED_TRACE("bypassed by the host");
        const Audio vst3 = Vst3Sorvel(256).Render(input, kSettings, true);
        EXPECT_EQ(FirstDifference(RenderLv2(world, input, kSettings, true, {256}), vst3), "");
        EXPECT_EQ(FirstDifference(vst3, input), "");
    }
}

TEST_F(Lv2Plugin, StateRestoresIntoAFreshInstanceAndDamagedStateChangesNothing) {
    const Audio input = Lv2TestHost::Noise(4096, 11);
    Instance edited(world);
    for (const auto& [symbol, value] : kSettings)
        edited.Set(symbol, value);
    edited.Render(input, {512}); // the ports reach the core in run()

    LilvState* state = lilv_state_new_from_instance(
        world.Plugin(), edited.Get(), world.Urids().Map(), nullptr, nullptr, nullptr, nullptr,
        [](const char*, void*, uint32_t*, uint32_t*) -> const void* { return nullptr; }, nullptr,
        LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
    ASSERT_NE(state, nullptr);
    {
        SCOPED_TRACE("the state alone, restored with lilv, gives the same sound");
        Instance fresh(world);
        lilv_state_restore(state, fresh.Get(), nullptr, nullptr, 0, nullptr);
        Instance again(world);
        for (const auto& [symbol, value] : kSettings)
            again.Set(symbol, value);
        const Audio restored = fresh.Render(input, {512});
        EXPECT_EQ(FirstDifference(restored, again.Render(input, {512})), "");
        EXPECT_NE(FirstDifference(restored, Instance(world).Render(input, {512})), "");
    }
    lilv_state_free(state);

    const SavedState good = Save(edited);
    ASSERT_EQ(good.status, LV2_STATE_SUCCESS);
    EXPECT_EQ(good.bytes.size(), 268u) << "the VST 3 state's bytes";
    EXPECT_EQ(good.type, world.Urids().Id(LV2_ATOM__Chunk));
    {
        SCOPED_TRACE("damaged data is refused and the instance keeps its state");
        Instance plug(world);
        const SavedState before = Save(plug);
        SavedState shorter = good;
        shorter.bytes.pop_back();
        SavedState longer = good;
        longer.bytes.push_back(0);
        SavedState wrongType = good;
        wrongType.type = world.Urids().Id(LV2_ATOM__String);
        EXPECT_EQ(Restore(plug, shorter), LV2_STATE_ERR_UNKNOWN);
        EXPECT_EQ(Restore(plug, longer), LV2_STATE_ERR_UNKNOWN);
        EXPECT_EQ(Restore(plug, wrongType), LV2_STATE_ERR_BAD_TYPE);
        EXPECT_EQ(Restore(plug, SavedState{}), LV2_STATE_ERR_NO_PROPERTY);
        EXPECT_EQ(Save(plug).bytes, before.bytes);
        EXPECT_EQ(Restore(plug, good), LV2_STATE_SUCCESS);
        EXPECT_EQ(Save(plug).bytes, good.bytes);
    }
}

TEST_F(Lv2Plugin, ThousandInstancesLeaveNothingBehind) {
    const Audio input = Lv2TestHost::Noise(64, 3);
    // Held loaded, as a host holds a module it uses: the first instance fills the module's
    // caches of decoded images, which stay.
    void* module = dlopen(SORVEL_LV2_BUNDLE "/Sorvel.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    Instance(world).Render(input, {64});
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 1000; ++i)
        Instance(world).Render(input, {64});
    const size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 64 * 1024) << "bytes in use grew from " << before << " to " << after;
    dlclose(module);
}
