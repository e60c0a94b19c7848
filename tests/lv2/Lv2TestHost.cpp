#include "Lv2TestHost.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace Lv2TestHost {

UridMap::UridMap() : map{this, MapUri} {}

LV2_URID UridMap::MapUri(LV2_URID_Map_Handle handle, const char* uri) {
    return static_cast<UridMap*>(handle)->Id(uri);
}

LV2_URID UridMap::Id(const char* uri) {
    const auto found = std::find(uris.begin(), uris.end(), uri);
    if (found != uris.end())
        return static_cast<LV2_URID>(found - uris.begin() + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

World::World() : world(lilv_world_new()) {
    LilvNode* bundle = lilv_new_file_uri(world, nullptr, SORVEL_LV2_BUNDLE "/");
    lilv_world_load_bundle(world, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(world, SORVEL_LV2_URI);
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    lilv_node_free(uri);
}

World::~World() {
    lilv_world_free(world);
}

int World::PortIndex(const char* symbol) const {
    LilvNode* node = lilv_new_string(world, symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, node);
    lilv_node_free(node);
    return port ? static_cast<int>(lilv_port_get_index(plugin, port)) : -1;
}

Instance::Instance(World& world) : world(world) {
    const uint32_t ports = lilv_plugin_get_num_ports(world.Plugin());
    controls.assign(ports, 0.0f);
    std::vector<float> defaults(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(world.Plugin(), nullptr, nullptr, defaults.data());
    LilvNode* audio = lilv_new_uri(world.Get(), LV2_CORE__AudioPort);
    LilvNode* input = lilv_new_uri(world.Get(), LV2_CORE__InputPort);
    LV2_Feature mapFeature{LV2_URID__map, world.Urids().Map()};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    instance = lilv_plugin_instantiate(world.Plugin(), kRate, features);
    for (uint32_t i = 0; i < ports && instance; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(world.Plugin(), i);
        if (!lilv_port_is_a(world.Plugin(), port, audio)) {
            controls[i] = defaults[i];
            lilv_instance_connect_port(instance, i, &controls[i]);
        } else if (lilv_port_is_a(world.Plugin(), port, input)) {
            audioIn.push_back(static_cast<int>(i));
        } else {
            audioOut.push_back(static_cast<int>(i));
        }
    }
    lilv_node_free(audio);
    lilv_node_free(input);
    EXPECT_NE(instance, nullptr) << "lilv could not instantiate the plug-in";
    if (instance)
        lilv_instance_activate(instance);
}

Instance::~Instance() {
    if (!instance)
        return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

void Instance::Set(const char* symbol, float value) {
    const int index = world.PortIndex(symbol);
    ASSERT_GE(index, 0) << "no port " << symbol;
    controls[static_cast<size_t>(index)] = value;
}

std::vector<std::vector<float>> Instance::Render(const std::vector<std::vector<float>>& input,
                                                 const std::vector<int>& blockSizes) {
    const size_t frames = input[0].size();
    std::vector<std::vector<float>> output(audioOut.size(), std::vector<float>(frames, -7.0f));
    for (size_t done = 0, turn = 0; done < frames && instance; ++turn) {
        const size_t block = std::min<size_t>(blockSizes[turn % blockSizes.size()], frames - done);
        for (size_t c = 0; c < audioIn.size(); ++c)
            lilv_instance_connect_port(instance, audioIn[c],
                                       const_cast<float*>(input[c].data() + done));
        for (size_t c = 0; c < audioOut.size(); ++c)
            lilv_instance_connect_port(instance, audioOut[c], output[c].data() + done);
        lilv_instance_run(instance, static_cast<uint32_t>(block));
        done += block;
    }
    return output;
}

std::vector<std::vector<float>> Noise(int frames, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> sample(-0.25f, 0.25f);
    std::vector<std::vector<float>> noise(2, std::vector<float>(static_cast<size_t>(frames)));
    for (auto& channel : noise)
        for (float& s : channel)
            s = sample(random);
    return noise;
}

} // namespace Lv2TestHost
