#include "tools/plughost/PluginInstance.h"

#include "tools/plughost/StateStream.h"
#include "tools/plughost/Utf8Path.h"
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/StringConvert.h"

#include <cstring>
#include <filesystem>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Steinberg::Hosting::MemoryStream;

std::string ToUtf8(const char16* text, int capacity) {
    std::vector<char16> terminated(static_cast<size_t>(capacity) + 1, 0);
    if (text != nullptr)
        for (int i = 0; i < capacity && text[i] != 0; ++i)
            terminated[static_cast<size_t>(i)] = text[i];
    std::vector<char8> utf8(static_cast<size_t>(4 * capacity + 1), 0);
    utf16ToUtf8(utf8.data(), terminated.data(), static_cast<int32>(utf8.size()));
    return utf8.data();
}

namespace {

Status LoadBundle(const std::string& bundlePath, std::unique_ptr<Hosting::Module>& module) {
    // The binary is named after the bundle folder, so "X.vst3/", "./X.vst3/." and "a/../X.vst3"
    // must all come down to the folder's own name first.
    std::error_code ec;
    const std::filesystem::path canonical =
        std::filesystem::weakly_canonical(PathFromUtf8(bundlePath), ec);
    std::string error;
    module = Hosting::Module::load(ec ? bundlePath : Utf8FromPath(canonical), error);
    if (!module)
        return Status::Fail("cannot load bundle '" + bundlePath + "': " + error);
    return Status::Ok();
}

} // namespace

FUnknown* PluginInstance::HostContext() const {
    // The host application object is also an FObject; the plug-in gets its interface face.
    return static_cast<IHostApplication*>(context.get());
}

Status PluginInstance::Create(const Hosting::Module& module, const std::string& bundleName) {
    Destroy();
    IPluginFactory* factory = module.getFactory();
    bool found = false;
    for (int32 i = 0, count = factory->countClasses(); i < count && !found; ++i) {
        PClassInfo candidate;
        if (factory->getClassInfo(i, &candidate) != kResultOk)
            continue;
        candidate.category[PClassInfo::kCategorySize - 1] = 0;
        candidate.name[PClassInfo::kNameSize - 1] = 0;
        if (std::strcmp(candidate.category, kVstAudioEffectClass) == 0) {
            classInfo = candidate;
            found = true;
        }
    }
    if (!found)
        return Status::Fail("bundle '" + bundleName + "' has no audio effect class (category \"" +
                            kVstAudioEffectClass + "\")");
    const std::string className = classInfo.name;

    context = IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(u"plughost"));
    IComponent* created = nullptr;
    if (factory->createInstance(classInfo.cid, IComponent::iid,
                                reinterpret_cast<void**>(&created)) != kResultOk ||
        created == nullptr)
        return Status::Fail("bundle '" + bundleName + "' could not create its class '" + className +
                            "'");
    component = IPtr<IComponent>::adopt(created);
    if (component->initialize(HostContext()) != kResultOk) {
        // A failed initialize is answered by releasing the object at once, without terminate.
        component.reset();
        return Status::Fail("class '" + className + "' of bundle '" + bundleName +
                            "' failed to initialise");
    }
    componentInitialized = true;

    processor = queryInterfacePtr<IAudioProcessor>(component.get());
    if (!processor)
        return Status::Fail("class '" + className + "' is not an audio processor");
    controller = queryInterfacePtr<IEditController>(component.get());
    if (!controller)
        if (Status s = CreateController(module, bundleName); !s)
            return s;
    controller->setComponentHandler(handler.get());
    units = queryInterfacePtr<IUnitInfo>(controller.get());
    return Status::Ok();
}

Status PluginInstance::CreateController(const Hosting::Module& module,
                                        const std::string& bundleName) {
    TUID controllerId = {};
    IEditController* created = nullptr;
    if (component->getControllerClassId(controllerId) != kResultOk ||
        module.getFactory()->createInstance(controllerId, IEditController::iid,
                                            reinterpret_cast<void**>(&created)) != kResultOk ||
        created == nullptr)
        return Status::Fail("bundle '" + bundleName + "' offers no edit controller for '" +
                            classInfo.name + "'");
    controller = IPtr<IEditController>::adopt(created);
    if (controller->initialize(HostContext()) != kResultOk) {
        controller.reset();
        return Status::Fail("the edit controller of '" + std::string(classInfo.name) +
                            "' failed to initialise");
    }
    controllerInitialized = true;
    separateController = true;

    componentPoint = queryInterfacePtr<IConnectionPoint>(component.get());
    controllerPoint = queryInterfacePtr<IConnectionPoint>(controller.get());
    if (componentPoint && controllerPoint) {
        componentPoint->connect(controllerPoint.get());
        controllerPoint->connect(componentPoint.get());
    }
    IPtr<MemoryStream> state = IPtr<MemoryStream>::adopt(new MemoryStream);
    if (component->getState(state.get()) == kResultOk) {
        state->rewind();
        controller->setComponentState(state.get());
    }
    return Status::Ok();
}

void PluginInstance::Destroy() {
    if (componentPoint && controllerPoint) {
        componentPoint->disconnect(controllerPoint.get());
        controllerPoint->disconnect(componentPoint.get());
    }
    componentPoint.reset();
    controllerPoint.reset();
    units.reset();
    if (controller) {
        controller->setComponentHandler(nullptr);
        if (controllerInitialized && separateController)
            controller->terminate();
    }
    controller.reset();
    processor.reset();
    if (component && componentInitialized)
        component->terminate();
    component.reset();
    context.reset();
    componentInitialized = controllerInitialized = separateController = false;
}

std::vector<ParameterEntry> PluginInstance::Parameters() const {
    std::vector<ParameterEntry> entries;
    for (int32 i = 0, count = controller->getParameterCount(); i < count; ++i) {
        ParameterEntry entry{};
        if (controller->getParameterInfo(i, entry.info) != kResultOk)
            continue;
        entry.title = ToUtf8(entry.info.title);
        entry.shortTitle = ToUtf8(entry.info.shortTitle);
        entry.units = ToUtf8(entry.info.units);
        entries.push_back(entry);
    }
    return entries;
}

std::string PluginInstance::ValueText(ParamID id, ParamValue normalized) const {
    String128 text = {};
    if (controller->getParamStringByValue(id, normalized, text) != kResultOk)
        return {};
    return ToUtf8(text);
}

Status PluginInstance::SaveState(std::vector<std::uint8_t>& bytes) const {
    IPtr<MemoryStream> stream = IPtr<MemoryStream>::adopt(new MemoryStream);
    if (controller->getState(stream.get()) != kResultOk)
        return Status::Fail("the plug-in could not save its state (getState failed)");
    bytes = stream->data();
    return Status::Ok();
}

Status PluginInstance::LoadState(const std::vector<std::uint8_t>& bytes) const {
    IPtr<StateStream> stream = IPtr<StateStream>::adopt(new StateStream(bytes));
    if (controller->setState(stream.get()) != kResultOk)
        return Status::Fail("the plug-in refused the state (" + std::to_string(bytes.size()) +
                            " bytes)");
    return Status::Ok();
}

Status OpenPlugin(const std::string& bundlePath, std::unique_ptr<Hosting::Module>& module,
                  PluginInstance& plugin) {
    if (Status s = LoadBundle(bundlePath, module); !s)
        return s;
    return plugin.Create(*module, bundlePath);
}

} // namespace plughost
