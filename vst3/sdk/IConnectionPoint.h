// Peer connection between a separate component and controller.
#pragma once

#include "vst3/sdk/IMessage.h"

namespace Steinberg::Vst {

#pragma pack(push, 16)

class IConnectionPoint : public FUnknown {
  public:
    virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API notify(IMessage* message) = 0;

    static constexpr FUID iid{0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1};
};

#pragma pack(pop)

} // namespace Steinberg::Vst
