#include "vst3/sdk/StringListParameter.h"

#include "vst3/sdk/StringConvert.h"

#include <cmath>

namespace Steinberg::Vst {

StringListParameter::StringListParameter(const ParameterInfo& paramInfo) : Parameter(paramInfo) {
    info.stepCount = -1;
}

StringListParameter::StringListParameter(const TChar* title, ParamID tag, const TChar* units,
                                         int32 flags, UnitID unitID, const TChar* shortTitle)
    : Parameter(title, tag, units, 0., -1, flags, unitID, shortTitle) {}

void StringListParameter::appendString(const TChar* string) {
    strings.emplace_back(string ? string : u"");
    info.stepCount++;
}

bool StringListParameter::replaceString(int32 index, const TChar* string) {
    if (index < 0 || index >= getEntryCount())
        return false;
    strings[static_cast<size_t>(index)].assign(string ? string : u"");
    return true;
}

void StringListParameter::toString(ParamValue v, String128 string) const {
    if (string == nullptr)
        return;
    if (strings.empty()) {
        string[0] = 0;
        return;
    }
    const double last = static_cast<double>(strings.size() - 1);
    double index = toPlain(v);
    index = index < 0. ? 0. : (index > last ? last : index);
    strncpy16(string, strings[static_cast<size_t>(index)].c_str(), 128);
}

bool StringListParameter::fromString(const TChar* string, ParamValue& v) const {
    if (string == nullptr)
        return false;
    for (size_t i = 0; i < strings.size(); ++i) {
        if (strEqual16(strings[i].c_str(), string)) {
            v = toNormalized(static_cast<ParamValue>(i));
            return true;
        }
    }
    return false;
}

ParamValue StringListParameter::toPlain(ParamValue v) const {
    if (info.stepCount <= 0 || std::isnan(v))
        return 0.;
    const double steps = info.stepCount;
    return std::fmin(steps, std::trunc(v * (steps + 1.)));
}

ParamValue StringListParameter::toNormalized(ParamValue plain) const {
    if (info.stepCount <= 0)
        return 0.;
    return plain / info.stepCount;
}

} // namespace Steinberg::Vst
