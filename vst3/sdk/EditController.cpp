#include "vst3/sdk/EditController.h"

namespace Steinberg::Vst {

tresult PLUGIN_API EditController::initialize(FUnknown* context) {
    return ComponentBase::initialize(context);
}

tresult PLUGIN_API EditController::terminate() {
    componentHandler.reset();
    componentHandler2.reset();
    return ComponentBase::terminate();
}

tresult PLUGIN_API EditController::setComponentState(IBStream*) {
    return kNotImplemented;
}

tresult PLUGIN_API EditController::setEditorState(IBStream*) {
    return kNotImplemented;
}

tresult PLUGIN_API EditController::getEditorState(IBStream*) {
    return kNotImplemented;
}

int32 PLUGIN_API EditController::getParameterCount() {
    return parameters.getParameterCount();
}

tresult PLUGIN_API EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
    const Parameter* p = parameters.getParameterByIndex(paramIndex);
    if (p == nullptr)
        return kResultFalse;
    info = p->getInfo();
    return kResultTrue;
}

tresult PLUGIN_API EditController::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                         String128 string) {
    const Parameter* p = parameters.getParameter(id);
    if (p == nullptr || string == nullptr)
        return kResultFalse;
    p->toString(valueNormalized, string);
    return kResultTrue;
}

tresult PLUGIN_API EditController::getParamValueByString(ParamID id, TChar* string,
                                                         ParamValue& valueNormalized) {
    const Parameter* p = parameters.getParameter(id);
    if (p == nullptr || !p->fromString(string, valueNormalized))
        return kResultFalse;
    return kResultTrue;
}

ParamValue PLUGIN_API EditController::normalizedParamToPlain(ParamID id,
                                                             ParamValue valueNormalized) {
    const Parameter* p = parameters.getParameter(id);
    return p ? p->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API EditController::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    const Parameter* p = parameters.getParameter(id);
    return p ? p->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API EditController::getParamNormalized(ParamID id) {
    const Parameter* p = parameters.getParameter(id);
    return p ? p->getNormalized() : 0.;
}

tresult PLUGIN_API EditController::setParamNormalized(ParamID id, ParamValue value) {
    Parameter* p = parameters.getParameter(id);
    if (p == nullptr)
        return kResultFalse;
    p->setNormalized(value);
    return kResultTrue;
}

tresult PLUGIN_API EditController::setComponentHandler(IComponentHandler* handler) {
    if (handler == componentHandler.get())
        return kResultTrue;
    componentHandler = handler;
    componentHandler2 = queryInterfacePtr<IComponentHandler2>(handler);
    return kResultTrue;
}

IPlugView* PLUGIN_API EditController::createView(FIDString) {
    return nullptr;
}

tresult PLUGIN_API EditController::setKnobMode(KnobMode mode) {
    hostKnobMode = mode;
    return kResultTrue;
}

tresult PLUGIN_API EditController::openHelp(TBool) {
    return kResultFalse;
}

tresult PLUGIN_API EditController::openAboutBox(TBool) {
    return kResultFalse;
}

tresult EditController::beginEdit(ParamID id) {
    return componentHandler ? componentHandler->beginEdit(id) : kResultFalse;
}

tresult EditController::performEdit(ParamID id, ParamValue valueNormalized) {
    return componentHandler ? componentHandler->performEdit(id, valueNormalized) : kResultFalse;
}

tresult EditController::endEdit(ParamID id) {
    return componentHandler ? componentHandler->endEdit(id) : kResultFalse;
}

tresult EditController::startGroupEdit() {
    return componentHandler2 ? componentHandler2->startGroupEdit() : kNotImplemented;
}

tresult EditController::finishGroupEdit() {
    return componentHandler2 ? componentHandler2->finishGroupEdit() : kNotImplemented;
}

tresult EditController::setDirty(TBool state) {
    return componentHandler2 ? componentHandler2->setDirty(state) : kNotImplemented;
}

tresult EditController::requestOpenEditor(FIDString name) {
    return componentHandler2 ? componentHandler2->requestOpenEditor(name) : kNotImplemented;
}

tresult PLUGIN_API EditController::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IEditController::iid))
        return answer<IEditController>(this, obj);
    if (iidEqual(_iid, IEditController2::iid))
        return answer<IEditController2>(this, obj);
    return ComponentBase::queryInterface(_iid, obj);
}

} // namespace Steinberg::Vst
