#include "graphics/IPopupMenu.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Indexed by the numbering prefix.
constexpr const char* kNumberFormats[] = {nullptr, "%1d: %s", "%02d: %s", "%03d: %s"};
// Room for the number and its separator beside the label.
constexpr int kNumberRoom = 51;

} // namespace

IPopupMenu::~IPopupMenu() = default;

int IPopupMenu::AddItem(const char* label, int32_t flags, IPopupMenu* submenu) {
    auto* item = new Item;
    item->label.Set(label ? label : "");
    item->flags = flags;
    item->submenu = submenu;
    if (!items.Add(item)) {
        delete item;
        return -1;
    }
    return items.Count() - 1;
}

const char* IPopupMenu::ItemLabel(int item) const {
    const Item* entry = items.Get(item);
    return entry ? entry->label.Get() : "";
}

int32_t IPopupMenu::ItemFlags(int item) const {
    const Item* entry = items.Get(item);
    return entry ? entry->flags : 0;
}

IPopupMenu* IPopupMenu::SubMenu(int item) const {
    const Item* entry = items.Get(item);
    return entry ? entry->submenu : nullptr;
}

void IPopupMenu::SetItemChecked(int item, bool checked) {
    if (Item* entry = items.Get(item))
        entry->flags = checked ? (entry->flags | ItemChecked) : (entry->flags & ~ItemChecked);
}

void IPopupMenu::ShownLabel(int item, TextBuffer& out) const {
    const char* label = ItemLabel(item);
    if (prefix <= PrefixNone || prefix > PrefixThreeDigits) {
        out.Set(label);
        return;
    }
    std::vector<char> shown(std::strlen(label) + kNumberRoom);
    std::snprintf(shown.data(), shown.size(), kNumberFormats[prefix], item + 1, label);
    out.Set(shown.data());
}

int IPopupMenu::CommandEnd(int first) const {
    int next = first + NItems();
    for (int i = 0; i < NItems(); ++i)
        if (const IPopupMenu* submenu = SubMenu(i))
            next = submenu->CommandEnd(next);
    return next;
}

int IPopupMenu::SubMenuFirstCommand(int first, int item) const {
    int next = first + NItems();
    for (int i = 0; i < item && i < NItems(); ++i)
        if (const IPopupMenu* submenu = SubMenu(i))
            next = submenu->CommandEnd(next);
    return next;
}

IPopupMenu* IPopupMenu::ChooseCommand(int command) {
    return command < 0 ? nullptr : ChooseCommandFrom(0, command);
}

IPopupMenu* IPopupMenu::ChooseCommandFrom(int first, int command) {
    if (command >= first && command < first + NItems()) {
        chosenItem = command - first;
        return this;
    }
    int next = first + NItems();
    for (int i = 0; i < NItems(); ++i) {
        IPopupMenu* submenu = SubMenu(i);
        if (!submenu)
            continue;
        const int end = submenu->CommandEnd(next);
        if (command >= next && command < end)
            return submenu->ChooseCommandFrom(next, command);
        next = end;
    }
    return nullptr;
}
