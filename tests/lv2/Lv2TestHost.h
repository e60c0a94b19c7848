#pragma once

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/urid/urid.h>

#include <map>
#include <string>
#include <vector>

// A small LV2 host over lilv for the built Sorvel.lv2: the world that loaded the bundle, a
// URID map, and instances whose control ports read `controls` (their defaults at first) and
// whose audio ports run on `audio` (inputs, then outputs), 64 frames a block.
struct Lv2TestHost {
    Lv2TestHost() {
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, SORVEL_LV2_BUNDLE "/");
        LilvNode* uri = lilv_new_uri(world, SORVEL_LV2_URI);
        lilv_world_load_bundle(world, bundle);
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
        lilv_node_free(bundle);
    }
    ~Lv2TestHost() { lilv_world_free(world); }

    LV2_URID Map(const char* uri) { return uris.emplace(uri, uris.size() + 1).first->second; }
    int Port(const char* symbol) {
        LilvNode* node = lilv_new_string(world, symbol);
        const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, node);
        lilv_node_free(node);
        return port ? int(lilv_port_get_index(plugin, port)) : -1;
    }

    struct Instance {
        explicit Instance(Lv2TestHost& host) : controls(lilv_plugin_get_num_ports(host.plugin)) {
            lilv_plugin_get_port_ranges_float(host.plugin, nullptr, nullptr, controls.data());
            LV2_Feature mapFeature{LV2_URID__map, &host.map};
            const LV2_Feature* features[] = {&mapFeature, nullptr};
            instance = lilv_plugin_instantiate(host.plugin, 48000.0, features);
            EXPECT_NE(instance, nullptr) << "lilv could not instantiate the plug-in";
            for (uint32_t i = 0; i < controls.size() && instance; ++i)
                lilv_instance_connect_port(instance, i, &controls[i]);
            for (int c = 0; c < 4 && instance; ++c) // the audio ports follow "enabled"
                lilv_instance_connect_port(instance, host.Port("enabled") + 1 + c, audio[c]);
        }
        ~Instance() { lilv_instance_free(instance); }
        void Run() { lilv_instance_run(instance, 64); }

        std::vector<float> controls;
        float audio[4][64] = {};
        LilvInstance* instance = nullptr;
    };

    LilvWorld* world = lilv_world_new();
    const LilvPlugin* plugin = nullptr;
    std::map<std::string, LV2_URID> uris;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle self, const char* uri) {
                         return static_cast<Lv2TestHost*>(self)->Map(uri);
                     }};
};
