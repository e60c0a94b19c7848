// The state stream of the VST 3 adapter: the core's chunk followed by a 32-bit bypass flag.
#include "vst3/IPlugVST3.h"

#include <cstring>

using namespace Steinberg;

namespace {

// Bytes a read delivered: the count the stream reports, or everything asked for when a stream
// that answered success did not report a count.
int32 DeliveredBytes(tresult result, int32 reported, int32 asked) {
    if (reported >= 0)
        return reported < asked ? reported : asked;
    return result == kResultOk ? asked : 0;
}

} // namespace

// User-interface thread; holds the plug-in lock.
tresult PLUGIN_API IPlugVST3::getEditorState(IBStream* state) {
    if (!state)
        return kResultFalse;
    PluginLockGuard guard(lock);
    StateChunk chunk;
    if (!SaveState(chunk))
        return kResultFalse;
    if (chunk.Size() > 0)
        state->write(chunk.Get(), chunk.Size(), nullptr);
    int32 flag = bypassed ? 1 : 0;
    state->write(&flag, sizeof flag, nullptr);
    return kResultOk;
}

// User-interface thread; holds the plug-in lock.
tresult PLUGIN_API IPlugVST3::setEditorState(IBStream* state) {
    if (!state)
        return kResultFalse;
    PluginLockGuard guard(lock);

    // The current state, only for its size and for the values a short stream does not reach.
    StateChunk chunk;
    SaveState(chunk);
    const int size = chunk.Size();
    if (size <= 0)
        return kResultFalse;

    StateChunk incoming;
    if (!incoming.Append(chunk.Get(), size))
        return kResultFalse;
    int32 reported = -1;
    const tresult readResult = state->read(incoming.Get(), size, &reported);
    // Only whole values count: a value cut by the end of the stream keeps its current bytes
    // rather than becoming a mixture of old and new.
    int32 delivered = DeliveredBytes(readResult, reported, size);
    delivered -= delivered % static_cast<int32>(sizeof(double));
    if (delivered > 0)
        std::memcpy(chunk.Get(), incoming.Get(), static_cast<size_t>(delivered));
    LoadState(chunk, 0);

    int32 flag = 0;
    if (state->read(&flag, sizeof flag, nullptr) != kResultOk)
        return kResultFalse;
    bypassed = flag != 0;
    MirrorParamsToEditor();
    return kResultOk;
}
