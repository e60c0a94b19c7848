// A list parameter whose values are named entries; step count = entries - 1.
#pragma once

#include "vst3/sdk/Parameter.h"

#include <string>
#include <vector>

namespace Steinberg::Vst {

class StringListParameter : public Parameter {
  public:
    explicit StringListParameter(const ParameterInfo& info);
    // Flags are used as given; kIsList is only part of the default.
    StringListParameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
                        int32 flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList,
                        UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);

    virtual void appendString(const TChar* string);
    virtual bool replaceString(int32 index, const TChar* string);
    int32 getEntryCount() const { return static_cast<int32>(strings.size()); }

    // The entry at toPlain(v), kept inside the list; empty when there is none.
    void toString(ParamValue valueNormalized, String128 string) const override;
    // Exact, case-sensitive entry names only; numbers are not accepted.
    bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
    // Truncates toward zero and caps at the last step.
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

    FOBJECT_TYPE(StringListParameter, Parameter)

  private:
    std::vector<std::u16string> strings;
};

} // namespace Steinberg::Vst
