#include "tools/plughost/StateFile.h"

#include "tools/plughost/FileBytes.h"
#include "tools/plughost/StateStream.h"
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/FUID.h"

namespace plughost {

using namespace Steinberg;

namespace {

// Hands bytes to one of the plug-in's state setters; a plug-in that does not keep that kind
// of state (kNotImplemented) has nothing to take and is not at fault.
template <class Setter>
Status Deliver(const std::vector<std::uint8_t>& bytes, Setter set, const char* what, bool& taken) {
    IPtr<StateStream> stream = IPtr<StateStream>::adopt(new StateStream(bytes));
    const tresult result = set(stream.get());
    if (result == kNotImplemented)
        return Status::Ok();
    if (result != kResultOk)
        return Status::Fail(std::string("the plug-in refused the preset's ") + what + " (" +
                            std::to_string(bytes.size()) + " bytes)");
    taken = true;
    return Status::Ok();
}

} // namespace

const std::vector<std::uint8_t>* StateFile::ControllerBytes() const {
    if (!isPreset)
        return &bytes;
    return preset.controllerState ? &*preset.controllerState : nullptr;
}

std::string ClassIdText(const PluginInstance& plugin) {
    char8 text[33] = {};
    FUID::fromTUID(plugin.ClassInfo().cid).toString(text);
    return text;
}

Status ReadStateFile(const std::string& path, StateFile& out) {
    out = StateFile{};
    out.path = path;
    if (Status s = ReadFileBytes(path, out.bytes, kMaxStateBytes); !s)
        return s;
    if (out.bytes.empty())
        return Status::Fail("state file '" + path + "' is empty");
    out.isPreset = NamesPresetFile(path) || HasPresetMagic(out.bytes);
    if (out.isPreset)
        if (Status s = ParsePresetFile(out.bytes, out.preset); !s)
            return Status::Fail("preset '" + path + "': " + s.message());
    return Status::Ok();
}

Status ApplyStateFile(const PluginInstance& plugin, const StateFile& file) {
    if (!file.isPreset) {
        if (Status s = plugin.LoadState(file.bytes); !s)
            return Status::Fail("state file '" + file.path + "': " + s.message());
        return Status::Ok();
    }
    const std::string own = ClassIdText(plugin);
    FUID presetClass;
    if (!presetClass.fromString(file.preset.classId.c_str()) ||
        presetClass != FUID::fromTUID(plugin.ClassInfo().cid))
        return Status::Fail("preset '" + file.path + "' belongs to another plug-in (class " +
                            file.preset.classId + "; this bundle's class is " + own + ")");

    bool taken = false;
    auto fail = [&file](const Status& s) {
        return Status::Fail("preset '" + file.path + "': " + s.message());
    };
    // Presets of plug-ins that kept no component state (Sorvel's before its component served
    // the controller's state) carry an empty "Comp": it holds nothing to hand over.
    if (const auto& comp = file.preset.componentState; comp && !comp->empty()) {
        Vst::IComponent* component = plugin.Component();
        if (Status s = Deliver(
                *comp, [component](IBStream* st) { return component->setState(st); },
                "component state", taken);
            !s)
            return fail(s);
        Vst::IEditController* controller = plugin.Controller();
        if (plugin.HasSeparateController())
            if (Status s = Deliver(
                    *comp, [controller](IBStream* st) { return controller->setComponentState(st); },
                    "component state", taken);
                !s)
                return fail(s);
    }
    if (const auto& cont = file.preset.controllerState) {
        Vst::IEditController* controller = plugin.Controller();
        if (Status s = Deliver(
                *cont, [controller](IBStream* st) { return controller->setState(st); },
                "controller state", taken);
            !s)
            return fail(s);
    }
    if (!taken)
        return Status::Fail("preset '" + file.path + "' holds no state this plug-in takes");
    return Status::Ok();
}

Status CaptureStateFile(const PluginInstance& plugin, const std::string& path,
                        std::vector<std::uint8_t>& bytes) {
    if (!NamesPresetFile(path))
        return plugin.SaveState(bytes);

    PresetFile preset;
    preset.classId = ClassIdText(plugin);
    IPtr<Hosting::MemoryStream> comp =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    const tresult compResult = plugin.Component()->getState(comp.get());
    if (compResult != kResultOk && compResult != kNotImplemented)
        return Status::Fail("the plug-in could not save its component state (getState failed)");
    // Hosts write the component chunk even when it is empty.
    preset.componentState = compResult == kResultOk ? comp->data() : std::vector<std::uint8_t>{};

    IPtr<Hosting::MemoryStream> cont =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    const tresult contResult = plugin.Controller()->getState(cont.get());
    if (contResult == kResultOk)
        preset.controllerState = cont->data();
    else if (contResult != kNotImplemented || compResult != kResultOk)
        return Status::Fail("the plug-in could not save its controller state (getState failed)");
    bytes = WritePresetFile(preset);
    return Status::Ok();
}

} // namespace plughost
