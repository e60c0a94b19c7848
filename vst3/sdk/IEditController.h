// The edit controller: parameters, their texts and conversions, the editor.
#pragma once

#include "vst3/sdk/IBStream.h"
#include "vst3/sdk/IPluginBase.h"
#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg {
class IPlugView;
} // namespace Steinberg

namespace Steinberg::Vst {

class IComponentHandler;

inline constexpr FIDString kVstComponentControllerClass = "Component Controller Class";

namespace ViewType {
inline constexpr CString kEditor = "editor";
} // namespace ViewType

enum KnobModes { kCircularMode = 0, kRelativCircularMode, kLinearMode };

#pragma pack(push, 16)

struct ParameterInfo {
    // Read-only and hidden imply no automation; hidden implies read-only;
    // a plug-in has at most one bypass parameter.
    enum ParameterFlags {
        kNoFlags = 0,
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        kIsList = 1 << 3,
        kIsHidden = 1 << 4,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16,
    };

    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32 stepCount; // 0 continuous, 1 toggle, n discrete
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32 flags;
};

class IEditController : public IPluginBase {
  public:
    virtual tresult PLUGIN_API setComponentState(IBStream* state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
    virtual tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                     String128 string) = 0;
    virtual tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                                     ParamValue& valueNormalized) = 0;
    virtual ParamValue PLUGIN_API normalizedParamToPlain(ParamID id,
                                                         ParamValue valueNormalized) = 0;
    virtual ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue PLUGIN_API getParamNormalized(ParamID id) = 0;
    virtual tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) = 0;
    // The caller owns the one reference of the returned view.
    virtual IPlugView* PLUGIN_API createView(FIDString name) = 0;

    static constexpr FUID iid{0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E};
};

class IEditController2 : public FUnknown {
  public:
    virtual tresult PLUGIN_API setKnobMode(KnobMode mode) = 0;
    virtual tresult PLUGIN_API openHelp(TBool onlyCheck) = 0;
    virtual tresult PLUGIN_API openAboutBox(TBool onlyCheck) = 0;

    static constexpr FUID iid{0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038};
};

class IMidiMapping : public FUnknown {
  public:
    virtual tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                           CtrlNumber midiControllerNumber,
                                                           ParamID& id) = 0;

    static constexpr FUID iid{0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5};
};

#pragma pack(pop)

// Four methods the plug-in never implements; only the id is needed to refuse it.
inline constexpr FUID INoteExpressionController_iid{0xB7F8F859, 0x41234872, 0x91169581, 0x4F3721A3};

static_assert(sizeof(ParameterInfo) == 792 && alignof(ParameterInfo) == 8);
static_assert(offsetof(ParameterInfo, id) == 0);
static_assert(offsetof(ParameterInfo, title) == 4);
static_assert(offsetof(ParameterInfo, shortTitle) == 260);
static_assert(offsetof(ParameterInfo, units) == 516);
static_assert(offsetof(ParameterInfo, stepCount) == 772);
static_assert(offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(offsetof(ParameterInfo, unitId) == 784);
static_assert(offsetof(ParameterInfo, flags) == 788);

} // namespace Steinberg::Vst
