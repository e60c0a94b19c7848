// The processing component: buses, activation and its own state.
#pragma once

#include "vst3/sdk/IBStream.h"
#include "vst3/sdk/IPluginBase.h"
#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

enum MediaTypes { kAudio = 0, kEvent, kNumMediaTypes };
enum BusDirections { kInput = 0, kOutput };
enum BusTypes { kMain = 0, kAux };
enum IoModes { kSimple = 0, kAdvanced, kOfflineProcessing };

#pragma pack(push, 16)

struct BusInfo {
    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;

    enum BusFlags { kDefaultActive = 1 << 0, kIsControlVoltage = 1 << 1 };
};

struct RoutingInfo {
    MediaType mediaType;
    int32 busIndex;
    int32 channel; // -1: all channels
};

class IComponent : public IPluginBase {
  public:
    // Writes 16 bytes.
    virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
    virtual tresult PLUGIN_API setIoMode(IoMode mode) = 0;
    virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                          BusInfo& bus) = 0;
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                           TBool state) = 0;
    virtual tresult PLUGIN_API setActive(TBool state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;

    static constexpr FUID iid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};
};

#pragma pack(pop)

static_assert(sizeof(BusInfo) == 276 && alignof(BusInfo) == 4);
static_assert(offsetof(BusInfo, mediaType) == 0);
static_assert(offsetof(BusInfo, direction) == 4);
static_assert(offsetof(BusInfo, channelCount) == 8);
static_assert(offsetof(BusInfo, name) == 12);
static_assert(offsetof(BusInfo, busType) == 268);
static_assert(offsetof(BusInfo, flags) == 272);

static_assert(sizeof(RoutingInfo) == 12 && alignof(RoutingInfo) == 4);
static_assert(offsetof(RoutingInfo, mediaType) == 0);
static_assert(offsetof(RoutingInfo, busIndex) == 4);
static_assert(offsetof(RoutingInfo, channel) == 8);

} // namespace Steinberg::Vst
