#include "vst3/sdk/ParameterContainer.h"

namespace Steinberg::Vst {

void ParameterContainer::init(int32 initialSize) {
    if (initialSize > 0)
        params.reserve(static_cast<size_t>(initialSize));
}

Parameter* ParameterContainer::addParameter(Parameter* p) {
    if (p == nullptr)
        return nullptr;
    params.push_back(IPtr<Parameter>::adopt(p));
    indexById[p->getInfo().id] = params.size() - 1;
    return p;
}

Parameter* ParameterContainer::addParameter(const ParameterInfo& info) {
    return addParameter(new Parameter(info));
}

Parameter* ParameterContainer::addParameter(const TChar* title, const TChar* units, int32 stepCount,
                                            ParamValue defaultValueNormalized, int32 flags,
                                            int32 tag, UnitID unitID, const TChar* shortTitle) {
    if (title == nullptr)
        return nullptr;
    const ParamID id = tag >= 0 ? static_cast<ParamID>(tag) : static_cast<ParamID>(params.size());
    return addParameter(new Parameter(title, id, units, defaultValueNormalized, stepCount, flags,
                                      unitID, shortTitle));
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const {
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return params[static_cast<size_t>(index)].get();
}

Parameter* ParameterContainer::getParameter(ParamID tag) const {
    const auto found = indexById.find(tag);
    return found == indexById.end() ? nullptr : params[found->second].get();
}

bool ParameterContainer::removeParameter(ParamID tag) {
    const auto found = indexById.find(tag);
    if (found == indexById.end())
        return false;
    params.erase(params.begin() + static_cast<std::ptrdiff_t>(found->second));
    rebuildIndex();
    return true;
}

void ParameterContainer::removeAll() {
    params.clear();
    indexById.clear();
}

void ParameterContainer::rebuildIndex() {
    indexById.clear();
    for (size_t i = 0; i < params.size(); ++i)
        indexById[params[i]->getInfo().id] = i;
}

} // namespace Steinberg::Vst
