// The state stream of the VST 3 adapter: the core's chunk followed by a 32-bit bypass flag.
// The host's stream is read and written outside the plug-in lock: it may be a slow file, and
// the audio thread waits for every holder of the lock.
#include "vst3/IPlugVST3.h"

#include <cstring>

using namespace Steinberg;

namespace {

// Bytes one call moved: the count the stream reports, or everything asked for when a stream
// that answered success did not report a count.
int32 MovedBytes(int32 reported, int32 asked) {
    if (reported < 0)
        return asked;
    return reported < asked ? reported : asked;
}

// A stream may deliver fewer bytes than asked with a success result, so reads repeat until
// `size` bytes arrived or the stream ends (a successful read that delivers nothing). False
// when a read fails; `delivered` then says nothing useful.
bool ReadFully(IBStream* stream, unsigned char* buffer, int32 size, int32& delivered) {
    delivered = 0;
    while (delivered < size) {
        int32 reported = -1;
        if (stream->read(buffer + delivered, size - delivered, &reported) != kResultOk)
            return false;
        const int32 moved = MovedBytes(reported, size - delivered);
        if (moved <= 0)
            break;
        delivered += moved;
    }
    return true;
}

// Writes repeat until every byte is taken; a failed write, or one that takes nothing, is a
// state the host would store cut short.
bool WriteFully(IBStream* stream, const unsigned char* bytes, int32 size) {
    int32 written = 0;
    while (written < size) {
        int32 reported = -1;
        if (stream->write(const_cast<unsigned char*>(bytes) + written, size - written,
                          &reported) != kResultOk)
            return false;
        const int32 moved = MovedBytes(reported, size - written);
        if (moved <= 0)
            return false;
        written += moved;
    }
    return true;
}

// Makes room for the usual state (one double per parameter) before the lock is taken, so that
// the audio thread does not wait for an allocation.
void Reserve(StateChunk& chunk, int parameters) {
    chunk.Resize(parameters * static_cast<int>(sizeof(double)), false);
    chunk.Resize(0, false);
}

} // namespace

// User-interface thread; holds the plug-in lock only while the state is taken.
tresult PLUGIN_API IPlugVST3::getEditorState(IBStream* state) {
    if (!state)
        return kResultFalse;
    StateChunk chunk;
    Reserve(chunk, NParams());
    int32 flag = 0;
    {
        PluginLockGuard guard(lock);
        if (!SaveState(chunk))
            return kResultFalse;
        flag = bypassed ? 1 : 0;
    }
    unsigned char flagBytes[sizeof flag];
    std::memcpy(flagBytes, &flag, sizeof flag);
    if (!WriteFully(state, chunk.Bytes(), chunk.Size()) ||
        !WriteFully(state, flagBytes, sizeof flagBytes))
        return kResultFalse;
    return kResultOk;
}

// User-interface thread; holds the plug-in lock only while the read state is applied.
tresult PLUGIN_API IPlugVST3::setEditorState(IBStream* state) {
    if (!state)
        return kResultFalse;

    // The current state, for its size and for the values a short stream does not reach. Taken
    // again under the lock below, into the memory reserved here.
    StateChunk chunk;
    Reserve(chunk, NParams());
    SaveState(chunk);
    const int size = chunk.Size();
    if (size <= 0)
        return kResultFalse;
    StateChunk incoming;
    if (!incoming.Append(chunk.Get(), size))
        return kResultFalse;

    int32 delivered = 0;
    if (!ReadFully(state, static_cast<unsigned char*>(incoming.Get()), size, delivered))
        return kResultFalse; // a broken chunk loads nothing
    // Only whole values count: a value cut by the end of the stream keeps its current bytes
    // rather than becoming a mixture of old and new.
    delivered -= delivered % static_cast<int32>(sizeof(double));
    // The flag starts at 0, so a stream that ends after the chunk (an older state) loads with
    // bypass off.
    int32 flag = 0;
    int32 flagDelivered = 0;
    const bool flagRead = ReadFully(state, reinterpret_cast<unsigned char*>(&flag), sizeof flag,
                                    flagDelivered);

    PluginLockGuard guard(lock);
    chunk.Resize(0, false);
    if (!SaveState(chunk) || chunk.Size() != size)
        return kResultFalse;
    if (delivered > 0)
        std::memcpy(chunk.Get(), incoming.Get(), static_cast<size_t>(delivered));
    LoadState(chunk, 0);
    if (!flagRead)
        return kResultFalse;
    bypassed = flag != 0;
    MirrorParamsToEditor();
    return kResultOk;
}
