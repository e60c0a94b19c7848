// The parameter side of a controller: parameter queries and conversions,
// the host's component handler and the edit-gesture helpers.
#pragma once

#include "vst3/sdk/ComponentBase.h"
#include "vst3/sdk/IComponentHandler.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/ParameterContainer.h"

namespace Steinberg::Vst {

class EditController : public ComponentBase, public IEditController, public IEditController2 {
  public:
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Also releases the component handler.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API setComponentState(IBStream* state) override;
    // A class that is also an IComponent has two setState/getState pairs; the
    // controller's pair is served under these names so both can be overridden.
    tresult PLUGIN_API setState(IBStream* state) final { return setEditorState(state); }
    tresult PLUGIN_API getState(IBStream* state) final { return getEditorState(state); }
    // Host UI thread.
    virtual tresult PLUGIN_API setEditorState(IBStream* state);
    virtual tresult PLUGIN_API getEditorState(IBStream* state);

    int32 PLUGIN_API getParameterCount() override;
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                             String128 string) override;
    tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                             ParamValue& valueNormalized) override;
    // Unknown ids return the value unchanged.
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
    // Keeps `handler` and, when it offers one, its IComponentHandler2.
    tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
    IPlugView* PLUGIN_API createView(FIDString name) override;

    // The mode is shared by every instance, as hosts set it once.
    tresult PLUGIN_API setKnobMode(KnobMode mode) override;
    tresult PLUGIN_API openHelp(TBool onlyCheck) override;
    tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

    // Edit gestures towards the host; False without a handler, kNotImplemented
    // for the group and dirty calls when the host offers no IComponentHandler2.
    virtual tresult beginEdit(ParamID id);
    virtual tresult performEdit(ParamID id, ParamValue valueNormalized);
    virtual tresult endEdit(ParamID id);
    virtual tresult startGroupEdit();
    virtual tresult finishGroupEdit();
    virtual tresult setDirty(TBool state);
    virtual tresult requestOpenEditor(FIDString name = ViewType::kEditor);

    IComponentHandler* getComponentHandler() const { return componentHandler.get(); }
    Parameter* getParameterObject(ParamID id) const { return parameters.getParameter(id); }
    static KnobMode getHostKnobMode() { return hostKnobMode; }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(EditController, ComponentBase)

  protected:
    EditController() = default;

    ParameterContainer parameters;

  private:
    IPtr<IComponentHandler> componentHandler;
    IPtr<IComponentHandler2> componentHandler2;
    static inline KnobMode hostKnobMode = kCircularMode;
};

} // namespace Steinberg::Vst
