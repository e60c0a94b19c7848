// The parameter changes of one block: one queue per parameter, in the order
// the parameters were first added.
#pragma once

#include "vst3/hosting/ParamValueQueue.h"
#include "vst3/sdk/IPtr.h"

#include <vector>

namespace Steinberg::Hosting {

class ParameterChanges : public FObject, public Vst::IParameterChanges {
  public:
    int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(queues.size()); }
    // Null for an index outside [0, count). Not an added reference.
    Vst::IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
    // Returns the id's queue, creating it at the end when new; `index` receives
    // its position.
    Vst::IParamValueQueue* PLUGIN_API addParameterData(const Vst::ParamID& id,
                                                       int32& index) override;

    // Drops every queue, ready for the next block.
    void clear() { queues.clear(); }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(ParameterChanges, FObject)

  private:
    std::vector<IPtr<ParamValueQueue>> queues;
};

} // namespace Steinberg::Hosting
