#pragma once

#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/Module.h"
#include "vst3/sdk/IEditController.h"

#include <memory>
#include <string>

namespace plughost {
class PluginInstance;
}

namespace plughost::editor {

// A bundle's first audio effect, loaded through the module's exported entry points and
// initialised as a host does: component, edit controller (the same object for a
// single-component effect) and a component handler that records every edit. Unlike the
// other commands' instance it owns its module, so the effect can be thrown away while the
// code stays loaded. The instance stays out of this header because Xlib's Status macro
// would clash with the host's Status class in the files that include both.
class EffectInstance {
  public:
    EffectInstance();
    ~EffectInstance();
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    bool Create(const std::string& bundlePath, std::string& errorText);
    // Terminates and releases the effect, then unloads the module. Anything else still holding
    // a reference (an editor view) keeps the objects, but not the module, alive: release those
    // first.
    void Destroy();
    // Terminates and releases the effect but keeps the module loaded.
    void Release();

    bool IsCreated() const;
    Steinberg::Vst::IEditController* Controller() const;
    Steinberg::Hosting::ComponentHandler& Handler();
    const std::string& ClassName() const { return className; }

  private:
    std::unique_ptr<Steinberg::Hosting::Module> module;
    // Declared after the module: it must go first.
    std::unique_ptr<PluginInstance> instance;
    std::string className;
};

} // namespace plughost::editor
