#pragma once

#include <lilv/lilv.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

// A small LV2 host over lilv for the built Sorvel.lv2: the world that loaded the bundle, a
// URID map, and instances whose ports are connected to buffers of the host's own.
namespace Lv2TestHost {

constexpr double kRate = 48000.0;

class UridMap {
  public:
    UridMap();
    LV2_URID_Map* Map() { return &map; }
    LV2_URID Id(const char* uri);

  private:
    static LV2_URID MapUri(LV2_URID_Map_Handle handle, const char* uri);
    LV2_URID_Map map;
    std::vector<std::string> uris;
};

class World {
  public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    LilvWorld* Get() const { return world; }
    // Sorvel as the world found it; none when the bundle did not load.
    const LilvPlugin* Plugin() const { return plugin; }
    // The index of the port with `symbol`, or -1.
    int PortIndex(const char* symbol) const;
    UridMap& Urids() { return urids; }

  private:
    LilvWorld* world;
    const LilvPlugin* plugin = nullptr;
    UridMap urids;
};

// One instance with every control port connected to `controls` (their defaults at first)
// and the audio ports to the host's blocks.
class Instance {
  public:
    explicit Instance(World& world);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    LilvInstance* Get() const { return instance; }
    void Set(const char* symbol, float value);
    // Renders `input` (two channels) into the returned two channels, cut into blocks of the
    // given sizes in turn.
    std::vector<std::vector<float>> Render(const std::vector<std::vector<float>>& input,
                                           const std::vector<int>& blockSizes);

    std::vector<float> controls;

  private:
    World& world;
    LilvInstance* instance = nullptr;
    std::vector<int> audioIn, audioOut;
};

// Two channels of deterministic noise at about -12 dBFS.
std::vector<std::vector<float>> Noise(int frames, unsigned seed);

} // namespace Lv2TestHost
