#include "tools/plughost/StateStream.h"

namespace plughost {

Steinberg::tresult PLUGIN_API StateStream::read(void* buffer, Steinberg::int32 numBytes,
                                                Steinberg::int32* numBytesRead) {
    if (numBytes > 0 && position() >= static_cast<Steinberg::int64>(data().size())) {
        if (numBytesRead != nullptr)
            *numBytesRead = 0;
        return Steinberg::kResultFalse;
    }
    return MemoryStream::read(buffer, numBytes, numBytesRead);
}

} // namespace plughost
