// The state of the LV2 adapter: one property holding the core's chunk followed by a 32-bit
// bypass flag, the same bytes the VST 3 adapter streams.
#include "lv2/IPlugLV2.h"

#include <cstring>
#include <limits>

// Instantiation thread; holds the plug-in lock only while the state is taken.
LV2_State_Status IPlugLV2::SaveLv2State(LV2_State_Store_Function store, LV2_State_Handle handle) {
    if (!store || !stateKey || !chunkType)
        return LV2_STATE_ERR_NO_FEATURE;
    StateChunk chunk;
    chunk.Resize(StateSize(), false);
    chunk.Resize(0, false);
    {
        PluginLockGuard guard(lock);
        if (!SaveState(chunk))
            return LV2_STATE_ERR_UNKNOWN;
        const int32_t flag = bypassed ? 1 : 0;
        if (!chunk.Append(&flag, sizeof flag))
            return LV2_STATE_ERR_UNKNOWN;
    }
    if (chunk.Size() != StateSize())
        return LV2_STATE_ERR_UNKNOWN;
    return store(handle, stateKey, chunk.Get(), static_cast<size_t>(chunk.Size()), chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// Instantiation thread; holds the plug-in lock only while the read state is applied. Data of
// another type or size is refused before anything changes.
LV2_State_Status IPlugLV2::RestoreLv2State(LV2_State_Retrieve_Function retrieve,
                                           LV2_State_Handle handle) {
    if (!retrieve || !stateKey || !chunkType)
        return LV2_STATE_ERR_NO_FEATURE;
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void* data = retrieve(handle, stateKey, &size, &type, &flags);
    if (!data)
        return LV2_STATE_ERR_NO_PROPERTY;
    if (type != chunkType)
        return LV2_STATE_ERR_BAD_TYPE;
    if (size != static_cast<size_t>(StateSize()))
        return LV2_STATE_ERR_UNKNOWN;

    StateChunk chunk;
    const int chunkBytes = StateSize() - 4;
    if (!chunk.Append(data, chunkBytes))
        return LV2_STATE_ERR_UNKNOWN;
    int32_t flag = 0;
    std::memcpy(&flag, static_cast<const unsigned char*>(data) + chunkBytes, sizeof flag);

    PluginLockGuard guard(lock);
    if (LoadState(chunk, 0) != chunkBytes)
        return LV2_STATE_ERR_UNKNOWN;
    bypassed = flag != 0;
    // The host's enabled port owns the bypass: the next run takes that port's value again,
    // whatever the state said.
    Applied()[EnabledPort()] = std::numeric_limits<float>::quiet_NaN();
    MirrorParamsToEditor();
    return LV2_STATE_SUCCESS;
}
