// A context menu handed out by ComponentHandler: keeps the items a plug-in
// adds and reports popup() to the handler instead of showing anything.
#pragma once

#include "vst3/hosting/ComponentHandler.h"
#include "vst3/sdk/IPtr.h"

#include <vector>

namespace Steinberg::Hosting {

class HostContextMenu : public FObject, public Vst::IContextMenu {
  public:
    explicit HostContextMenu(ComponentHandler* handler) : owner(handler) {}

    int32 PLUGIN_API getItemCount() override { return static_cast<int32>(items.size()); }
    // `target` receives the item's target without an added reference.
    tresult PLUGIN_API getItem(int32 index, Item& item, Vst::IContextMenuTarget** target) override;
    tresult PLUGIN_API addItem(const Item& item, Vst::IContextMenuTarget* target) override;
    // Removes the first item with the same tag and target.
    tresult PLUGIN_API removeItem(const Item& item, Vst::IContextMenuTarget* target) override;
    tresult PLUGIN_API popup(UCoord x, UCoord y) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(HostContextMenu, FObject)

  private:
    struct Entry {
        Item item;
        IPtr<Vst::IContextMenuTarget> target;
    };

    IPtr<ComponentHandler> owner;
    std::vector<Entry> items;
};

} // namespace Steinberg::Hosting
