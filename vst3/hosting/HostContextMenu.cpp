#include "vst3/hosting/HostContextMenu.h"

namespace Steinberg::Hosting {

tresult PLUGIN_API HostContextMenu::getItem(int32 index, Item& item,
                                            Vst::IContextMenuTarget** target) {
    if (index < 0 || index >= getItemCount())
        return kResultFalse;
    const Entry& entry = items[static_cast<size_t>(index)];
    item = entry.item;
    if (target)
        *target = entry.target.get();
    return kResultOk;
}

tresult PLUGIN_API HostContextMenu::addItem(const Item& item, Vst::IContextMenuTarget* target) {
    items.push_back({item, IPtr<Vst::IContextMenuTarget>(target)});
    return kResultOk;
}

tresult PLUGIN_API HostContextMenu::removeItem(const Item& item, Vst::IContextMenuTarget* target) {
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->item.tag == item.tag && it->target.get() == target) {
            items.erase(it);
            return kResultOk;
        }
    }
    return kResultFalse;
}

tresult PLUGIN_API HostContextMenu::popup(UCoord x, UCoord y) {
    HandlerCall call{HandlerCall::menuPopup};
    call.x = x;
    call.y = y;
    owner->record(call);
    return kResultOk;
}

tresult PLUGIN_API HostContextMenu::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IContextMenu::iid))
        return answer<IContextMenu>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
