// Initialisation interface shared by components and controllers.
#pragma once

#include "vst3/sdk/FUnknown.h"

namespace Steinberg {

#pragma pack(push, 16)

class IPluginBase : public FUnknown {
  public:
    // A result other than kResultOk makes the host release the object at once
    // without calling terminate().
    virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
    virtual tresult PLUGIN_API terminate() = 0;

    static constexpr FUID iid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};
};

#pragma pack(pop)

} // namespace Steinberg
