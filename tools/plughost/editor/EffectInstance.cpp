#include "tools/plughost/editor/EffectInstance.h"

#include "tools/plughost/PluginInstance.h"

namespace plughost::editor {

EffectInstance::EffectInstance() : instance(std::make_unique<PluginInstance>()) {}

EffectInstance::~EffectInstance() { Destroy(); }

bool EffectInstance::Create(const std::string& bundlePath, std::string& errorText) {
    Destroy();
    if (Status s = OpenPlugin(bundlePath, module, *instance); !s) {
        // Half an effect is no effect: IsCreated stays false.
        Release();
        errorText = s.message();
        return false;
    }
    className = instance->ClassInfo().name;
    return true;
}

void EffectInstance::Release() { instance->Destroy(); }

void EffectInstance::Destroy() {
    Release();
    module.reset();
}

bool EffectInstance::IsCreated() const { return instance->Component() != nullptr; }

Steinberg::Vst::IEditController* EffectInstance::Controller() const {
    return instance->Controller();
}

Steinberg::Hosting::ComponentHandler& EffectInstance::Handler() { return instance->Handler(); }

} // namespace plughost::editor
