// One controller parameter: its info record, current normalized value and
// the text and unit conversions a host asks for.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IUnitInfo.h"

namespace Steinberg::Vst {

class Parameter : public FObject {
  public:
    Parameter();
    explicit Parameter(const ParameterInfo& info);
    // Texts are cut to 127 units; null leaves a field empty. The default is
    // taken as the current value and is not clamped.
    Parameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
              ParamValue defaultValueNormalized = 0., int32 stepCount = 0,
              int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
              const TChar* shortTitle = nullptr);

    const ParameterInfo& getInfo() const { return info; }
    ParameterInfo& getInfo() { return info; }
    void setUnitID(UnitID unitID) { info.unitId = unitID; }
    UnitID getUnitID() const { return info.unitId; }

    ParamValue getNormalized() const { return valueNormalized; }
    // Clamps to [0, 1]; true when the stored value changed. NaN is refused.
    virtual bool setNormalized(ParamValue v);

    int32 getPrecision() const { return precision; }
    void setPrecision(int32 digits) { precision = digits; }

    // `valueNormalized` is not clamped. Toggles print "On"/"Off", everything
    // else the number with `precision` decimals.
    virtual void toString(ParamValue valueNormalized, String128 string) const;
    // Reads a number as the normalized value; false when none is there or it
    // is not finite.
    virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;
    virtual ParamValue toPlain(ParamValue valueNormalized) const { return valueNormalized; }
    virtual ParamValue toNormalized(ParamValue plainValue) const { return plainValue; }

    FOBJECT_TYPE(Parameter, FObject)

  protected:
    ParameterInfo info{};
    ParamValue valueNormalized = 0.;
    int32 precision = 4;
};

} // namespace Steinberg::Vst
