// The state stream of the VST 3 adapter: the core's chunk followed by a 32-bit bypass flag.
// The component and the controller share it. The host's stream is read and written outside the
// plug-in lock: it may be a slow file, and every block that finds the lock held runs on the
// previous block's settings.
#include "vst3/IPlugVST3.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

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
        if (stream->write(const_cast<unsigned char*>(bytes) + written, size - written, &reported) !=
            kResultOk)
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
    return SaveStateStream(state);
}

// User-interface thread: the same bytes as the controller's state, so that a host that keeps
// its view of the parameters from the component's state sees what the plug-in holds.
tresult PLUGIN_API IPlugVST3::getProcessorState(IBStream* state) {
    return SaveStateStream(state);
}

// User-interface thread; holds the plug-in lock only while the read state is applied.
tresult PLUGIN_API IPlugVST3::setEditorState(IBStream* state) {
    return LoadStateStream(state);
}

// User-interface thread: the component's and the controller's state are one and the same.
tresult PLUGIN_API IPlugVST3::setProcessorState(IBStream* state) {
    return LoadStateStream(state);
}

// User-interface thread: a host hands the controller the component's state, which is ours.
tresult PLUGIN_API IPlugVST3::setComponentState(IBStream* state) {
    return LoadStateStream(state);
}

tresult IPlugVST3::SaveStateStream(IBStream* state) {
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

tresult IPlugVST3::LoadStateStream(IBStream* state) {
    if (!state)
        return kResultFalse;

    // The current state, for its size. Taken again under the lock below, into the memory
    // reserved here, to tell whether the load changed anything.
    StateChunk chunk;
    Reserve(chunk, NParams());
    SaveState(chunk);
    const int size = chunk.Size();
    if (size <= 0)
        return kResultFalse;
    StateChunk incoming;
    StateChunk before;
    if (!incoming.Append(chunk.Get(), size) || !before.Append(chunk.Get(), size))
        return kResultFalse;

    // A failed read, a stream shorter than the chunk or a flag cut short is a damaged state:
    // it loads nothing. A stream that ends right after the chunk is an older state without the
    // flag and loads with bypass off.
    int32 delivered = 0;
    if (!ReadFully(state, static_cast<unsigned char*>(incoming.Get()), size, delivered) ||
        delivered != size)
        return kResultFalse;
    int32 flag = 0;
    int32 flagDelivered = 0;
    if (!ReadFully(state, reinterpret_cast<unsigned char*>(&flag), sizeof flag, flagDelivered) ||
        (flagDelivered != 0 && flagDelivered != static_cast<int32>(sizeof flag)))
        return kResultFalse;

    bool changed = false;
    {
        PluginLockGuard guard(lock);
        before.Resize(0, false);
        if (!SaveState(before) || before.Size() != size)
            return kResultFalse;
        LoadState(incoming, 0);
        chunk.Resize(0, false);
        SaveState(chunk);
        changed = chunk.Size() != size || std::memcmp(chunk.Get(), before.Get(), size) != 0 ||
                  bypassed != (flag != 0);
        bypassed = flag != 0;
        MirrorParamsToEditor();
    }
    // Outside the lock: the host may call back into the plug-in from here.
    if (changed)
        if (IComponentHandler* handler = getComponentHandler())
            handler->restartComponent(kParamValuesChanged);
    return kResultOk;
}
