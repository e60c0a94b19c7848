#pragma once

#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/HostApplication.h"
#include "vst3/hosting/Module.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IPtr.h"

#include <memory>
#include <string>

namespace plughost::editor {

// A bundle's first audio effect, loaded through the module's exported entry points and
// initialised as a host does: component, edit controller (the same object for a
// single-component effect) and a component handler that records every edit.
class EffectInstance {
  public:
    EffectInstance() = default;
    ~EffectInstance() { Destroy(); }
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    bool Create(const std::string& bundlePath, std::string& errorText);
    // Terminates and releases the effect, then unloads the module. Anything else still holding
    // a reference (an editor view) keeps the objects, but not the module, alive: release those
    // first.
    void Destroy();
    // Terminates and releases the effect but keeps the module loaded.
    void Release();

    bool IsCreated() const { return component.get() != nullptr; }
    Steinberg::Vst::IEditController* Controller() const { return controller.get(); }
    Steinberg::Hosting::ComponentHandler& Handler() { return *handler.get(); }
    const std::string& ClassName() const { return className; }

  private:
    bool CreateSeparateController(std::string& errorText);

    std::unique_ptr<Steinberg::Hosting::Module> module;
    Steinberg::IPtr<Steinberg::Hosting::HostApplication> context;
    Steinberg::IPtr<Steinberg::Hosting::ComponentHandler> handler{
        Steinberg::IPtr<Steinberg::Hosting::ComponentHandler>::adopt(
            new Steinberg::Hosting::ComponentHandler)};
    Steinberg::IPtr<Steinberg::Vst::IComponent> component;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> componentPoint;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerPoint;
    std::string className;
    bool separateController = false;
};

} // namespace plughost::editor
