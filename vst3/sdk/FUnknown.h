// Result codes and the root interface every VST 3 object answers.
#pragma once

#include "vst3/sdk/FTypes.h"
#include "vst3/sdk/FUID.h"

namespace Steinberg {

// kResultTrue equals kResultOk (0): returning C++ `true` would mean kResultFalse.
#if COM_COMPATIBLE
enum : tresult {
    kNoInterface = static_cast<tresult>(0x80004002),
    kResultOk = 0,
    kResultTrue = kResultOk,
    kResultFalse = 1,
    kInvalidArgument = static_cast<tresult>(0x80070057),
    kNotImplemented = static_cast<tresult>(0x80004001),
    kInternalError = static_cast<tresult>(0x80004005),
    kNotInitialized = static_cast<tresult>(0x8000FFFF),
    kOutOfMemory = static_cast<tresult>(0x8007000E),
};
#else
enum : tresult {
    kNoInterface = -1,
    kResultOk,
    kResultTrue = kResultOk,
    kResultFalse,
    kInvalidArgument,
    kNotImplemented,
    kInternalError,
    kNotInitialized,
    kOutOfMemory,
};
#endif

#pragma pack(push, 16)

class FUnknown {
  public:
    // The id points at 16 raw bytes. On success *obj holds an added reference;
    // on failure it is set to null.
    virtual tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) = 0;
    // Both return the new count; release() returning 0 means the object is gone.
    virtual uint32 PLUGIN_API addRef() = 0;
    virtual uint32 PLUGIN_API release() = 0;

    static constexpr FUID iid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};
};

#pragma pack(pop)

// Interfaces named by the ABI that nothing here implements; only their ids.
inline constexpr FUID IDependent_iid{0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E};
inline constexpr FUID IPluginCompatibility_iid{0x4AFD4B6A, 0x35D7C240, 0xA5C31414, 0xFB7D15E6};

} // namespace Steinberg
