#include "vst3/sdk/Parameter.h"

#include "vst3/sdk/StringConvert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace Steinberg::Vst {

Parameter::Parameter() = default;

Parameter::Parameter(const ParameterInfo& paramInfo)
    : info(paramInfo), valueNormalized(paramInfo.defaultNormalizedValue) {}

Parameter::Parameter(const TChar* title, ParamID tag, const TChar* units,
                     ParamValue defaultValueNormalized, int32 stepCount, int32 flags, UnitID unitID,
                     const TChar* shortTitle) {
    info.id = tag;
    strncpy16(info.title, title, static_cast<int32>(std::size(info.title)));
    strncpy16(info.units, units, static_cast<int32>(std::size(info.units)));
    strncpy16(info.shortTitle, shortTitle, static_cast<int32>(std::size(info.shortTitle)));
    info.stepCount = stepCount;
    info.defaultNormalizedValue = defaultValueNormalized;
    info.unitId = unitID;
    info.flags = flags;
    valueNormalized = defaultValueNormalized;
}

bool Parameter::setNormalized(ParamValue v) {
    if (std::isnan(v))
        return false;
    v = v < 0. ? 0. : (v > 1. ? 1. : v);
    if (v == valueNormalized)
        return false;
    valueNormalized = v;
    return true;
}

void Parameter::toString(ParamValue v, String128 string) const {
    if (string == nullptr)
        return;
    char8 text[128];
    if (info.stepCount == 1)
        std::snprintf(text, sizeof text, "%s", v > 0.5 ? "On" : "Off");
    else
        std::snprintf(text, sizeof text, "%.*f", precision, v);
    str8ToStr16(string, text, 128);
}

bool Parameter::fromString(const TChar* string, ParamValue& v) const {
    if (string == nullptr)
        return false;
    char8 text[128];
    str16ToStr8(text, string, static_cast<int32>(sizeof text));
    char* end = nullptr;
    const double parsed = std::strtod(text, &end);
    if (end == text || !std::isfinite(parsed))
        return false;
    v = parsed;
    return true;
}

} // namespace Steinberg::Vst
