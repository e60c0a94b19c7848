// Byte streams used for state transfer.
#pragma once

#include "vst3/sdk/FUnknown.h"

namespace Steinberg {

#pragma pack(push, 16)

class IBStream : public FUnknown {
  public:
    enum IStreamSeekMode { kIBSeekSet = 0, kIBSeekCur, kIBSeekEnd };

    // The count pointers are optional; a stream reports short reads through them.
    virtual tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult PLUGIN_API tell(int64* pos) = 0;

    static constexpr FUID iid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};
};

class ISizeableStream : public FUnknown {
  public:
    virtual tresult PLUGIN_API getStreamSize(int64& size) = 0;
    virtual tresult PLUGIN_API setStreamSize(int64 size) = 0;

    static constexpr FUID iid{0x04F9549E, 0xE02F4E6E, 0x87E86A87, 0x47F4E17F};
};

#pragma pack(pop)

inline constexpr FUID IStreamAttributes_iid{0xD6CE2FFC, 0xEFAF4B8C, 0x9E74F1BB, 0x12DA44B4};

} // namespace Steinberg
