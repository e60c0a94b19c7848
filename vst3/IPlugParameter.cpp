#include "vst3/IPlugParameter.h"

#include "vst3/sdk/StringConvert.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Normalised values outside 0..1 name no value of the range; under a fractional shape a
// negative one would even give NaN.
double ClampNormalised(double normalised) {
    if (normalised < 0.0)
        return 0.0;
    return normalised > 1.0 ? 1.0 : normalised;
}

} // namespace

IPlugParameter::IPlugParameter(const ICoreParameter* parameter, ParamID id, UnitID unit,
                               const char* hostTitle)
    : coreParameter(parameter) {
    info.id = id;
    info.unitId = unit;
    if (!coreParameter)
        return;
    str8ToStr16(info.title, hostTitle ? hostTitle : coreParameter->name, 128);
    if (hostTitle)
        str8ToStr16(info.shortTitle, hostTitle, 128);
    str8ToStr16(info.units, coreParameter->DisplayLabel(), 128);
    info.stepCount = coreParameter->kind == KindContinuous
                         ? 0
                         : TruncateToInt32(coreParameter->maximum - coreParameter->minimum);
    info.defaultNormalizedValue = coreParameter->ToNormalised(coreParameter->defaultValue);
    info.flags = coreParameter->automatable ? ParameterInfo::kCanAutomate : 0;
    valueNormalized = info.defaultNormalizedValue;
    precision = coreParameter->displayPrecision;
}

void IPlugParameter::DisplayText(const ICoreParameter& parameter, double normalised,
                                 String128 text) {
    if (!text)
        return;
    // Numbers are formatted into 32 characters, as the editor shows them.
    char formatted[32];
    parameter.FormatPlain(parameter.FromNormalised(ClampNormalised(normalised)), formatted,
                          static_cast<int>(sizeof formatted));
    str8ToStr16(text, formatted, 128);
}

void IPlugParameter::toString(ParamValue normalised, String128 text) const {
    if (!text)
        return;
    if (!coreParameter) {
        text[0] = 0;
        return;
    }
    DisplayText(*coreParameter, normalised, text);
}

bool IPlugParameter::fromString(const TChar* text, ParamValue& normalised) const {
    char narrow[128];
    str16ToStr8(narrow, text, static_cast<int32>(sizeof narrow));
    // Only a decimal number counts; strtod alone would also take "nan" and "inf".
    const char* start = narrow;
    while (std::isspace(static_cast<unsigned char>(*start)))
        ++start;
    const char* digits = *start == '+' || *start == '-' ? start + 1 : start;
    const bool isNumber = std::isdigit(static_cast<unsigned char>(digits[0])) ||
                          (digits[0] == '.' && std::isdigit(static_cast<unsigned char>(digits[1])));
    const double plain = isNumber ? std::strtod(start, nullptr) : 0.0;
    normalised = toNormalized(plain);
    return true;
}

ParamValue IPlugParameter::toPlain(ParamValue normalised) const {
    return coreParameter ? coreParameter->FromNormalised(ClampNormalised(normalised)) : normalised;
}

ParamValue IPlugParameter::toNormalized(ParamValue plain) const {
    return coreParameter ? coreParameter->ToNormalised(plain) : plain;
}
