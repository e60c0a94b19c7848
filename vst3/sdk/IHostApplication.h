// The host's own object, handed to initialize() as the context.
#pragma once

#include "vst3/sdk/FUnknown.h"
#include "vst3/sdk/VstTypes.h"

namespace Steinberg::Vst {

#pragma pack(push, 16)

class IHostApplication : public FUnknown {
  public:
    virtual tresult PLUGIN_API getName(String128 name) = 0;
    // Both ids are 16 raw bytes; a host message is asked for with cid = iid = IMessage::iid.
    virtual tresult PLUGIN_API createInstance(TUID cid, TUID _iid, void** obj) = 0;

    static constexpr FUID iid{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};
};

#pragma pack(pop)

} // namespace Steinberg::Vst
