// A growable in-memory byte stream for state transfer, with switches that
// make reads or writes fail so hosts can test a plug-in's error paths.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IBStream.h"

#include <utility>
#include <vector>

namespace Steinberg::Hosting {

class MemoryStream : public FObject, public IBStream, public ISizeableStream {
  public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8> initialBytes) : bytes(std::move(initialBytes)) {}

    // A read at the end succeeds and delivers 0 bytes; a read past the end
    // delivers what is there.
    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
    // Writes at the cursor, overwriting or extending; a gap is zero-filled.
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
    // A target before the start is refused and the cursor stays.
    tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
    tresult PLUGIN_API tell(int64* pos) override;

    tresult PLUGIN_API getStreamSize(int64& size) override;
    tresult PLUGIN_API setStreamSize(int64 size) override;

    // After `successfulCalls` more calls, every read (or write) answers
    // kResultFalse and moves nothing; a negative count never fails.
    void failReadsAfter(int32 successfulCalls) { readsLeft = successfulCalls; }
    void failWritesAfter(int32 successfulCalls) { writesLeft = successfulCalls; }

    const std::vector<uint8>& data() const { return bytes; }
    int64 position() const { return cursor; }
    void rewind() { cursor = 0; }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(MemoryStream, FObject)

  private:
    static bool spend(int32& callsLeft);

    std::vector<uint8> bytes;
    int64 cursor = 0;
    int32 readsLeft = -1;
    int32 writesLeft = -1;
};

} // namespace Steinberg::Hosting
