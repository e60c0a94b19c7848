#include "vst3/hosting/MemoryStream.h"

#include <cstring>
#include <limits>

namespace Steinberg::Hosting {

namespace {

// Keeps the vector within what an int32 count and a size_t can address.
constexpr int64 kMaxStreamSize = std::numeric_limits<int32>::max();

} // namespace

bool MemoryStream::spend(int32& callsLeft) {
    if (callsLeft < 0)
        return true;
    if (callsLeft == 0)
        return false;
    --callsLeft;
    return true;
}

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
    if (numBytesRead)
        *numBytesRead = 0;
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0))
        return kInvalidArgument;
    if (!spend(readsLeft))
        return kResultFalse;
    const int64 size = static_cast<int64>(bytes.size());
    const int64 available = cursor < size ? size - cursor : 0;
    const int32 count = static_cast<int32>(available < numBytes ? available : numBytes);
    if (count > 0)
        std::memcpy(buffer, bytes.data() + cursor, static_cast<size_t>(count));
    cursor += count;
    if (numBytesRead)
        *numBytesRead = count;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
    if (numBytesWritten)
        *numBytesWritten = 0;
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0))
        return kInvalidArgument;
    if (cursor + numBytes > kMaxStreamSize)
        return kOutOfMemory;
    if (!spend(writesLeft))
        return kResultFalse;
    const size_t end = static_cast<size_t>(cursor + numBytes);
    if (end > bytes.size())
        bytes.resize(end);
    if (numBytes > 0)
        std::memcpy(bytes.data() + cursor, buffer, static_cast<size_t>(numBytes));
    cursor += numBytes;
    if (numBytesWritten)
        *numBytesWritten = numBytes;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
    int64 base = 0;
    switch (mode) {
    case kIBSeekSet:
        break;
    case kIBSeekCur:
        base = cursor;
        break;
    case kIBSeekEnd:
        base = static_cast<int64>(bytes.size());
        break;
    default:
        return kInvalidArgument;
    }
    if (pos < -base || pos > kMaxStreamSize - base)
        return kInvalidArgument;
    cursor = base + pos;
    if (result)
        *result = cursor;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
    if (pos == nullptr)
        return kInvalidArgument;
    *pos = cursor;
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::getStreamSize(int64& size) {
    size = static_cast<int64>(bytes.size());
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::setStreamSize(int64 size) {
    if (size < 0 || size > kMaxStreamSize)
        return kInvalidArgument;
    bytes.resize(static_cast<size_t>(size));
    return kResultOk;
}

tresult PLUGIN_API MemoryStream::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IBStream::iid))
        return answer<IBStream>(this, obj);
    if (iidEqual(_iid, ISizeableStream::iid))
        return answer<ISizeableStream>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
