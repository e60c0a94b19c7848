#include "tools/plughost/editor/EffectInstance.h"

#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/IAudioProcessor.h"

#include <cstring>
#include <filesystem>

namespace plughost::editor {

using namespace Steinberg;
using namespace Steinberg::Vst;

bool EffectInstance::Create(const std::string& bundlePath, std::string& errorText) {
    Destroy();
    // The binary is named after the bundle folder, so the path must end in the folder's name.
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(bundlePath, ec);
    std::string loadError;
    module = Hosting::Module::load(ec ? bundlePath : canonical.string(), loadError);
    if (!module) {
        errorText = "cannot load bundle '" + bundlePath + "': " + loadError;
        return false;
    }
    IPluginFactory* factory = module->getFactory();
    PClassInfo info{};
    bool found = false;
    for (int32 i = 0, count = factory->countClasses(); i < count && !found; ++i) {
        if (factory->getClassInfo(i, &info) != kResultOk)
            continue;
        info.category[PClassInfo::kCategorySize - 1] = 0;
        info.name[PClassInfo::kNameSize - 1] = 0;
        found = std::strcmp(info.category, kVstAudioEffectClass) == 0;
    }
    if (!found) {
        errorText = "bundle '" + bundlePath + "' has no audio effect class";
        return false;
    }
    className = info.name;
    IComponent* created = nullptr;
    if (factory->createInstance(info.cid, IComponent::iid, reinterpret_cast<void**>(&created)) !=
            kResultOk ||
        !created) {
        errorText = "bundle '" + bundlePath + "' could not create '" + className + "'";
        return false;
    }
    component = IPtr<IComponent>::adopt(created);
    context = IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"plughost"));
    if (component->initialize(static_cast<IHostApplication*>(context.get())) != kResultOk) {
        // A failed initialize is answered by releasing at once, without terminate.
        component.reset();
        errorText = "'" + className + "' failed to initialise";
        return false;
    }
    controller = queryInterfacePtr<IEditController>(component.get());
    if (!controller && !CreateSeparateController(errorText)) {
        Release();
        return false;
    }
    controller->setComponentHandler(handler.get());
    return true;
}

bool EffectInstance::CreateSeparateController(std::string& errorText) {
    TUID controllerId = {};
    IEditController* created = nullptr;
    if (component->getControllerClassId(controllerId) != kResultOk ||
        module->getFactory()->createInstance(controllerId, IEditController::iid,
                                             reinterpret_cast<void**>(&created)) != kResultOk ||
        !created) {
        errorText = "'" + className + "' has no edit controller";
        return false;
    }
    controller = IPtr<IEditController>::adopt(created);
    if (controller->initialize(static_cast<IHostApplication*>(context.get())) != kResultOk) {
        controller.reset();
        errorText = "the edit controller of '" + className + "' failed to initialise";
        return false;
    }
    separateController = true;
    componentPoint = queryInterfacePtr<IConnectionPoint>(component.get());
    controllerPoint = queryInterfacePtr<IConnectionPoint>(controller.get());
    if (componentPoint && controllerPoint) {
        componentPoint->connect(controllerPoint.get());
        controllerPoint->connect(componentPoint.get());
    }
    auto state = IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    if (component->getState(state.get()) == kResultOk) {
        state->rewind();
        controller->setComponentState(state.get());
    }
    return true;
}

void EffectInstance::Release() {
    if (componentPoint && controllerPoint) {
        componentPoint->disconnect(controllerPoint.get());
        controllerPoint->disconnect(componentPoint.get());
    }
    componentPoint.reset();
    controllerPoint.reset();
    if (controller) {
        controller->setComponentHandler(nullptr);
        if (separateController)
            controller->terminate();
    }
    controller.reset();
    if (component)
        component->terminate();
    component.reset();
    separateController = false;
    context.reset();
}

void EffectInstance::Destroy() {
    Release();
    module.reset();
}

} // namespace plughost::editor
