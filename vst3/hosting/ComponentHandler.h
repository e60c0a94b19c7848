// The host's component handler: records every edit, restart and context-menu
// request a plug-in makes, and reports each one to an optional callback.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IComponentHandler.h"
#include "vst3/sdk/IContextMenu.h"

#include <functional>
#include <mutex>
#include <vector>

namespace Steinberg::Hosting {

struct HandlerCall {
    enum Kind { beginEdit, performEdit, endEdit, restartComponent, createContextMenu, menuPopup };

    Kind kind;
    Vst::ParamID id = Vst::kNoParamId; // edits and createContextMenu (kNoParamId without one)
    Vst::ParamValue value = 0.;        // performEdit
    int32 flags = 0;                   // restartComponent
    UCoord x = 0;                      // menuPopup
    UCoord y = 0;
};

class ComponentHandler : public FObject,
                         public Vst::IComponentHandler,
                         public Vst::IComponentHandler3 {
  public:
    using Callback = std::function<void(const HandlerCall&)>;

    // Called on the plug-in's calling thread, after the call is recorded.
    void setCallback(Callback callback);
    // Off: createContextMenu answers null. On: it hands out an empty menu
    // whose popup() is recorded as menuPopup.
    void setOffersContextMenus(bool offer);

    std::vector<HandlerCall> getCalls() const;
    void clearCalls();
    void record(const HandlerCall& call);

    tresult PLUGIN_API beginEdit(Vst::ParamID id) override;
    tresult PLUGIN_API performEdit(Vst::ParamID id, Vst::ParamValue valueNormalized) override;
    tresult PLUGIN_API endEdit(Vst::ParamID id) override;
    tresult PLUGIN_API restartComponent(int32 flags) override;
    Vst::IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView,
                                                    const Vst::ParamID* paramID) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(ComponentHandler, FObject)

  private:
    mutable std::mutex mutex;
    std::vector<HandlerCall> calls;
    Callback callback;
    bool offersContextMenus = false;
};

} // namespace Steinberg::Hosting
