// The LV2 module's entry points: the plug-in's descriptor and its editor's, in one binary.
#include "lv2/IPlugLV2View.h"
#include "lv2/Lv2PlugDescription.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstring>

namespace {

const void* FeatureData(const LV2_Feature* const* features, const char* uri) {
    for (int i = 0; features && features[i]; ++i)
        if (features[i]->URI && std::strcmp(features[i]->URI, uri) == 0)
            return features[i]->data;
    return nullptr;
}

// The value of the host's option `key` when it has type `type` and `size` bytes, or none.
const void* OptionValue(const LV2_Feature* const* features, const LV2_URID_Map* map,
                        const char* key, const char* type, uint32_t size) {
    const auto* options =
        static_cast<const LV2_Options_Option*>(FeatureData(features, LV2_OPTIONS__options));
    if (!options || !map)
        return nullptr;
    const LV2_URID keyId = map->map(map->handle, key);
    const LV2_URID typeId = map->map(map->handle, type);
    for (; options->key != 0; ++options)
        if (options->key == keyId && options->type == typeId && options->size == size &&
            options->value)
            return options->value;
    return nullptr;
}

// The longest block the host's options announce, or 0.
int MaxBlockFrames(const LV2_Feature* const* features, const LV2_URID_Map* map) {
    const void* value =
        OptionValue(features, map, LV2_BUF_SIZE__maxBlockLength, LV2_ATOM__Int, sizeof(int32_t));
    return value ? *static_cast<const int32_t*>(value) : 0;
}

// The display scale the host's options ask the editor for, or 0 when they say nothing.
double HostScaleFactor(const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(FeatureData(features, LV2_URID__map));
    const void* value =
        OptionValue(features, map, LV2_UI__scaleFactor, LV2_ATOM__Float, sizeof(float));
    return value ? *static_cast<const float*>(value) : 0.0;
}

IPlugLV2* Plug(LV2_Handle instance) {
    return static_cast<IPlugLV2*>(instance);
}

// Instantiation thread: the stereo plug-in (descriptor 0) or its mono variant (descriptor 1).
LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double rate, const char*,
                       const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(FeatureData(features, LV2_URID__map));
    const bool mono =
        Lv2PlugClass().monoUri && std::strcmp(descriptor->URI, Lv2PlugClass().monoUri) == 0;
    IPlugLV2* plug = CreateLv2PlugInstance();
    if (!plug)
        return nullptr;
    const int channels = mono ? 1 : plug->NInChannels();
    if (!plug->Instantiate(Lv2PlugClass().uri, channels, rate, MaxBlockFrames(features, map),
                           map)) {
        delete plug;
        return nullptr;
    }
    return plug;
}

// Audio thread.
void ConnectPort(LV2_Handle instance, uint32_t port, void* data) {
    Plug(instance)->ConnectPort(port, data);
}

// Audio thread.
void Run(LV2_Handle instance, uint32_t frames) {
    Plug(instance)->Run(frames);
}

// Instantiation thread.
void Cleanup(LV2_Handle instance) {
    delete Plug(instance);
}

// Instantiation thread.
LV2_State_Status Save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle,
                      uint32_t, const LV2_Feature* const*) {
    return Plug(instance)->SaveLv2State(store, handle);
}

// Instantiation thread.
LV2_State_Status Restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle handle, uint32_t, const LV2_Feature* const*) {
    return Plug(instance)->RestoreLv2State(retrieve, handle);
}

const void* ExtensionData(const char* uri) {
    static const LV2_State_Interface state{Save, Restore};
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}

// User-interface thread.
LV2UI_Handle InstantiateUi(const LV2UI_Descriptor*, const char*, const char*,
                           LV2UI_Write_Function write, LV2UI_Controller controller,
                           LV2UI_Widget* widget, const LV2_Feature* const* features) {
    IPlugLV2::UiHost host;
    host.write = write;
    host.controller = controller;
    host.touch = static_cast<const LV2UI_Touch*>(FeatureData(features, LV2_UI__touch));
    host.resize = static_cast<const LV2UI_Resize*>(FeatureData(features, LV2_UI__resize));
    auto* plug =
        static_cast<IPlugLV2*>(const_cast<void*>(FeatureData(features, LV2_INSTANCE_ACCESS_URI)));
    void* parent = const_cast<void*>(FeatureData(features, LV2_UI__parent));
    return IPlugLV2View::Open(plug, parent, host, HostScaleFactor(features), widget);
}

// User-interface thread.
void CleanupUi(LV2UI_Handle ui) {
    delete static_cast<IPlugLV2View*>(ui);
}

// User-interface thread.
void PortEvent(LV2UI_Handle ui, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    static_cast<IPlugLV2View*>(ui)->PortEvent(port, size, format, buffer);
}

// User-interface thread.
int Idle(LV2UI_Handle ui) {
    return static_cast<IPlugLV2View*>(ui)->Idle();
}

const void* UiExtensionData(const char* uri) {
    static const LV2UI_Idle_Interface idle{Idle};
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idle : nullptr;
}

} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    static const LV2_Descriptor descriptors[] = {{Lv2PlugClass().uri, Instantiate, ConnectPort,
                                                  nullptr, Run, nullptr, Cleanup, ExtensionData},
                                                 {Lv2PlugClass().monoUri, Instantiate, ConnectPort,
                                                  nullptr, Run, nullptr, Cleanup, ExtensionData}};
    const uint32_t count = Lv2PlugClass().monoUri ? 2 : 1;
    return index < count ? &descriptors[index] : nullptr;
}

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    static const LV2UI_Descriptor descriptor{Lv2PlugClass().uiUri, InstantiateUi, CleanupUi,
                                             PortEvent, UiExtensionData};
    return index == 0 ? &descriptor : nullptr;
}
