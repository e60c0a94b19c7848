// Sorvel.lv2 as a host sees it through lilv: its ports held against the parameters the VST 3
// bundle of the same engine publishes, its state, and its lifetime.
#include "Lv2TestHost.h"
#include "tests/vst3/PluginTestHost.h"

#include <algorithm>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>
#include <lv2/units/units.h>
#include <malloc.h>

using namespace Steinberg;
using Instance = Lv2TestHost::Instance;

namespace {

// A state property as an instance stores it or as its restore is offered it.
struct StateData {
    std::vector<unsigned char> bytes;
    uint32_t type = 0;
};

const LV2_State_Interface& StateOf(const Instance& plug) {
    return *static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plug.instance, LV2_STATE__interface));
}

StateData Save(const Instance& plug) {
    StateData saved;
    StateOf(plug).save(
        plug.instance->lv2_handle,
        [](LV2_State_Handle out, uint32_t, const void* value, size_t size, uint32_t type,
           uint32_t) {
            const auto* bytes = static_cast<const unsigned char*>(value);
            *static_cast<StateData*>(out) = {{bytes, bytes + size}, type};
            return LV2_STATE_SUCCESS;
        },
        &saved, 0, nullptr);
    return saved;
}

LV2_State_Status Restore(const Instance& plug, StateData offered) {
    auto retrieve = [](LV2_State_Handle in, uint32_t, size_t* size, uint32_t* type,
                       uint32_t*) -> const void* {
        const auto& data = *static_cast<const StateData*>(in);
        *size = data.bytes.size();
        *type = data.type;
        return data.bytes.empty() ? nullptr : data.bytes.data();
    };
    return StateOf(plug).restore(plug.instance->lv2_handle, retrieve, &offered, 0, nullptr);
}

class Lv2Plugin : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(host.plugin, nullptr) << "lilv did not find Sorvel"; }
    // Settings of every kind, as a host sets its ports.
    void Edit(Instance& plug) {
        const std::pair<const char*, float> settings[] = {{"hgainl", 3.5f}, {"drive", -30.0f},
                                                          {"ms", 0.0f},     {"link", 1.0f},
                                                          {"hfreqr", 2.0f}, {"oversampling", 1.0f}};
        for (auto [symbol, value] : settings)
            plug.controls[size_t(host.Port(symbol))] = value;
    }
    // Both output channels of one block of a test signal.
    static std::vector<float> Sound(Instance& plug) {
        for (int n = 0; n < 64; ++n)
            plug.audio[0][n] = plug.audio[1][n] = n % 7 == 0 ? 0.5f : -0.1f;
        plug.Run();
        return {plug.audio[2], plug.audio[2] + 128};
    }
    Lv2TestHost host;
};

} // namespace

TEST_F(Lv2Plugin, PortsAreTheParametersTheVst3PluginPublishes) {
    const auto module = PluginTestHost::Load(SORVEL_BUNDLE);
    const auto vst3 = PluginTestHost::CreateRunning(module->getFactory(), 256, false);
    std::vector<LilvNode*> nodes;
    auto uri = [&](const char* text) { return nodes.emplace_back(lilv_new_uri(host.world, text)); };
    const LilvPlugin* p = host.plugin;
    for (int32 i = 0; i < vst3.controller->getParameterCount(); ++i) {
        Vst::ParameterInfo info{};
        vst3.controller->getParameterInfo(i, info);
        if (info.id >= 0x1000)
            continue; // "Preset", and "Bypass", which is the port designated lv2:enabled
        std::string symbol = PluginTestHost::Narrow(info.title);
        std::transform(symbol.begin(), symbol.end(), symbol.begin(), ::tolower);
        SCOPED_TRACE(symbol);
        ASSERT_EQ(host.Port(symbol.c_str()), int(info.id)) << "the port's symbol and index";
        const LilvPort* port = lilv_plugin_get_port_by_index(p, info.id);
        LilvNode *deflt = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(p, port, &deflt, &min, &max);
        nodes.insert(nodes.end(), {deflt, min, max});
        auto plain = [&](double normalised) {
            return float(vst3.controller->normalizedParamToPlain(info.id, normalised));
        };
        EXPECT_EQ(lilv_node_as_float(min), plain(0.0));
        EXPECT_EQ(lilv_node_as_float(max), plain(1.0));
        EXPECT_EQ(lilv_node_as_float(deflt), plain(info.defaultNormalizedValue));
        const bool stepped = info.stepCount > 0;
        EXPECT_EQ(lilv_port_has_property(p, port, uri(LV2_CORE__integer)), stepped);
        EXPECT_EQ(lilv_port_has_property(p, port, uri(LV2_CORE__enumeration)), stepped);
        LilvScalePoints* points = lilv_port_get_scale_points(p, port);
        EXPECT_EQ(points ? int(lilv_scale_points_size(points)) : 0,
                  stepped ? info.stepCount + 1 : 0);
        LilvNodes* units = lilv_port_get_value(p, port, uri(LV2_UNITS__unit));
        EXPECT_EQ(units && lilv_nodes_contains(units, uri(LV2_UNITS__pc)),
                  PluginTestHost::Narrow(info.units) == "%");
        lilv_scale_points_free(points);
        lilv_nodes_free(units);
    }
    EXPECT_EQ(lilv_plugin_get_num_ports(p), 38u) << "33 parameters, enabled, 2 in, 2 out";
    const LilvNode *input = uri(LV2_CORE__InputPort), *audio = uri(LV2_CORE__AudioPort);
    EXPECT_EQ(lilv_plugin_get_port_by_designation(p, input, uri(LV2_CORE__enabled)),
              lilv_plugin_get_port_by_index(p, uint32_t(host.Port("enabled"))));
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(p, audio, input, nullptr), 2u);
    EXPECT_TRUE(lilv_world_ask(host.world, lilv_plugin_get_uri(p), uri(LILV_NS_RDF "type"),
                               uri(LV2_CORE__EQPlugin)));
    LilvNode* maintainer = nodes.emplace_back(lilv_plugin_get_author_name(p));
    EXPECT_STREQ(maintainer ? lilv_node_as_string(maintainer) : "", "Velmora");
    std::for_each(nodes.begin(), nodes.end(), lilv_node_free);
}

TEST_F(Lv2Plugin, StateRestoresIntoAFreshInstanceAndDamagedStateChangesNothing) {
    Instance edited(host), fresh(host), twin(host), plug(host);
    Edit(edited);
    Sound(edited); // the ports reach the core in run()
    // The state alone, without the port values a host would also restore.
    LilvState* state =
        lilv_state_new_from_instance(host.plugin, edited.instance, &host.map, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, LV2_STATE_IS_POD, nullptr);
    lilv_state_restore(state, fresh.instance, nullptr, nullptr, 0, nullptr);
    lilv_state_free(state);
    const StateData saved = Save(edited);
    EXPECT_EQ(saved.bytes.size(), 268u) << "the VST 3 state's bytes";
    EXPECT_EQ(Save(fresh).bytes, saved.bytes);
    Edit(twin);
    const std::vector<float> restoredSound = Sound(fresh);
    EXPECT_EQ(restoredSound, Sound(twin));
    EXPECT_NE(restoredSound, Sound(plug));

    const StateData before = Save(plug);
    StateData shorter = saved, wrongType = saved;
    shorter.bytes.pop_back();
    wrongType.type = host.Map(LV2_ATOM__String);
    EXPECT_EQ(Restore(plug, shorter), LV2_STATE_ERR_UNKNOWN);
    EXPECT_EQ(Restore(plug, wrongType), LV2_STATE_ERR_BAD_TYPE);
    EXPECT_EQ(Save(plug).bytes, before.bytes) << "damaged state changed the instance";

    // A state saved bypassed does not bypass an instance its host keeps enabled.
    edited.controls[size_t(host.Port("enabled"))] = 0.0f;
    Sound(edited);
    EXPECT_EQ(Restore(twin, Save(edited)), LV2_STATE_SUCCESS);
    Sound(twin);
    EXPECT_EQ(Save(twin).bytes, saved.bytes) << "the host's enabled port owns the bypass";
}

TEST_F(Lv2Plugin, AThousandInstancesLeaveNothingBehind) {
    // Held loaded, as a host holds a module it uses: the first instance fills the module's
    // caches of decoded images, which stay.
    void* module = dlopen(SORVEL_LV2_BUNDLE "/Sorvel.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    Sound(*std::make_unique<Instance>(host));
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 1000; ++i)
        Sound(*std::make_unique<Instance>(host));
    EXPECT_LT(mallinfo2().uordblks, before + 64 * 1024) << "bytes in use before: " << before;
    dlclose(module);
}
