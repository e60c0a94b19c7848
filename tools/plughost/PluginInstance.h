#pragma once

#include "tools/plughost/Status.h"
#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/HostApplication.h"
#include "vst3/hosting/Module.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/IUnitInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost {

// What the controller says about one parameter, with its texts already in UTF-8.
struct ParameterEntry {
    Steinberg::Vst::ParameterInfo info;
    std::string title;
    std::string shortTitle;
    std::string units;
};

// UTF-8 text of a 16-bit string field that may fill its capacity without a terminator.
std::string ToUtf8(const Steinberg::char16* text, int capacity = 128);

// One initialised instance of a module's audio effect class, seen as host code sees it:
// component, processor and controller (the same object for a single-component effect).
class PluginInstance {
  public:
    PluginInstance() = default;
    ~PluginInstance() { Destroy(); }
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Creates the first class of category "Audio Module Class" and initialises it with a host
    // context; a separate controller is created, initialised, connected and given the
    // component's state.
    Status Create(const Steinberg::Hosting::Module& module, const std::string& bundleName);
    // Terminates and releases controller and component; the handler stays.
    void Destroy();

    Steinberg::Vst::IComponent* Component() const { return component.get(); }
    Steinberg::Vst::IAudioProcessor* Processor() const { return processor.get(); }
    Steinberg::Vst::IEditController* Controller() const { return controller.get(); }
    // May be none: unit information is optional.
    Steinberg::Vst::IUnitInfo* Units() const { return units.get(); }
    // Outlives Destroy, so what it recorded and the callback it was given carry over.
    Steinberg::Hosting::ComponentHandler& Handler() const { return *handler.get(); }
    const Steinberg::PClassInfo& ClassInfo() const { return classInfo; }
    bool HasSeparateController() const { return separateController; }

    // Every parameter the controller announces, in its index order.
    std::vector<ParameterEntry> Parameters() const;
    // The text the controller shows for a normalised value, or empty when it has none.
    std::string ValueText(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized) const;

    // The controller's state bytes, as getState writes them.
    Status SaveState(std::vector<std::uint8_t>& bytes) const;
    // Hands the bytes to the controller's setState; a refusal is a failure.
    Status LoadState(const std::vector<std::uint8_t>& bytes) const;

  private:
    Steinberg::FUnknown* HostContext() const;
    Status CreateController(const Steinberg::Hosting::Module& module,
                            const std::string& bundleName);

    Steinberg::IPtr<Steinberg::Hosting::HostApplication> context;
    Steinberg::IPtr<Steinberg::Hosting::ComponentHandler> handler{
        Steinberg::IPtr<Steinberg::Hosting::ComponentHandler>::adopt(
            new Steinberg::Hosting::ComponentHandler)};
    Steinberg::IPtr<Steinberg::Vst::IComponent> component;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
    Steinberg::IPtr<Steinberg::Vst::IUnitInfo> units;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> componentPoint;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerPoint;
    Steinberg::PClassInfo classInfo;
    bool componentInitialized = false;
    bool controllerInitialized = false;
    bool separateController = false;
};

// The start of every command: the bundle folder's module loaded through its exported entry
// points, then its effect created in `plugin`.
// The caller declares `module` before `plugin`, so the code outlives the objects.
Status OpenPlugin(const std::string& bundlePath,
                  std::unique_ptr<Steinberg::Hosting::Module>& module, PluginInstance& plugin);

} // namespace plughost
