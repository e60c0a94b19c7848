#pragma once

#include "vst3/hosting/MemoryStream.h"

#include <cstdint>
#include <vector>

namespace plughost {

// The stream a saved state is loaded from. Unlike a plain memory stream, a read that finds no
// bytes left fails: a plug-in that checks its reads then refuses a truncated state instead of
// taking the missing part as zeros.
class StateStream : public Steinberg::Hosting::MemoryStream {
  public:
    explicit StateStream(std::vector<Steinberg::uint8> bytes) : MemoryStream(std::move(bytes)) {}

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override;
};

// The largest state file plughost reads.
inline constexpr std::int64_t kMaxStateBytes = std::int64_t{1} << 30;

} // namespace plughost
