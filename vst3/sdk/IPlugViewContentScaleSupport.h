// Lets the host tell a view its display scale factor.
#pragma once

#include "vst3/sdk/FUnknown.h"

namespace Steinberg {

#pragma pack(push, 16)

class IPlugViewContentScaleSupport : public FUnknown {
  public:
    using ScaleFactor = float;

    virtual tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) = 0;

    static constexpr FUID iid{0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F};
};

#pragma pack(pop)

} // namespace Steinberg
