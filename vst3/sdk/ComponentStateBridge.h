// IComponent with its state pair served under distinct names. A class that is
// both an IComponent and an IEditController would otherwise have one
// setState/getState overriding both interfaces' slots at once.
#pragma once

#include "vst3/sdk/IComponent.h"

namespace Steinberg::Vst {

class ComponentStateBridge : public IComponent {
  public:
    tresult PLUGIN_API setState(IBStream* state) final { return setProcessorState(state); }
    tresult PLUGIN_API getState(IBStream* state) final { return getProcessorState(state); }

    virtual tresult PLUGIN_API setProcessorState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getProcessorState(IBStream* state) = 0;
};

} // namespace Steinberg::Vst
