// The controller's parameters in registration order (the host's index order)
// with a lookup by id.
#pragma once

#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/Parameter.h"

#include <unordered_map>
#include <vector>

namespace Steinberg::Vst {

class ParameterContainer {
  public:
    void init(int32 initialSize = 10);

    // Takes over the caller's reference; returns `p` (null for null).
    Parameter* addParameter(Parameter* p);
    Parameter* addParameter(const ParameterInfo& info);
    // A negative tag uses the current count as the id; a null title adds nothing.
    Parameter* addParameter(const TChar* title, const TChar* units = nullptr, int32 stepCount = 0,
                            ParamValue defaultValueNormalized = 0.,
                            int32 flags = ParameterInfo::kCanAutomate, int32 tag = -1,
                            UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);

    int32 getParameterCount() const { return static_cast<int32>(params.size()); }
    // Null for any index outside [0, count).
    Parameter* getParameterByIndex(int32 index) const;
    // With duplicate ids the one registered last is found.
    Parameter* getParameter(ParamID tag) const;

    // Removes the parameter that getParameter(tag) finds; ids registered
    // twice then find the earlier one again.
    bool removeParameter(ParamID tag);
    void removeAll();

  private:
    void rebuildIndex();

    std::vector<IPtr<Parameter>> params;
    std::unordered_map<ParamID, size_t> indexById;
};

} // namespace Steinberg::Vst
