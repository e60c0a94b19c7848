#pragma once

#include "core/ICoreParameter.h"
#include "vst3/sdk/Parameter.h"

// Presents one core parameter to the host: its information record, display text and the
// conversions between plain and normalised values, all computed from the core's record.
class IPlugParameter : public Steinberg::Vst::Parameter {
  public:
    // `coreParameter` is owned by the core, which outlives this object. A `hostTitle` names
    // the parameter to hosts (title and short title) in place of the core's name.
    IPlugParameter(const ICoreParameter* coreParameter, Steinberg::Vst::ParamID id,
                   Steinberg::Vst::UnitID unit, const char* hostTitle = nullptr);

    // Any thread: the host's display text for a normalised value.
    void toString(Steinberg::Vst::ParamValue normalised,
                  Steinberg::Vst::String128 text) const override;
    // Any thread: reads a leading number as a plain value; text that is no number reads as 0.
    bool fromString(const Steinberg::Vst::TChar* text,
                    Steinberg::Vst::ParamValue& normalised) const override;
    Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalised) const override;
    Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

    // The display text of `normalised` for `parameter`, terminated within 128 units.
    static void DisplayText(const ICoreParameter& parameter, double normalised,
                            Steinberg::Vst::String128 text);

    FOBJECT_TYPE(IPlugParameter, Parameter)

  private:
    const ICoreParameter* coreParameter;
};
