#pragma once

#include "core/PointerList.h"
#include "core/TextBuffer.h"

#include <cstdint>

// A popup menu: labelled items, each with flags and an optional submenu.
//
// Command numbers: the platform menu numbers every item depth-first. The items of a menu take
// one block of consecutive numbers, reserved before any of its submenus is numbered; each
// submenu's block then continues the count where the blocks before it ended. The top menu
// starts at 0.
class IPopupMenu {
  public:
    enum NumberingPrefix : int32_t {
        PrefixNone = 0,
        PrefixOneDigit = 1,
        PrefixTwoDigits = 2,
        PrefixThreeDigits = 3
    };
    enum ItemFlag : int32_t {
        ItemGreyed = 1,
        ItemDisabled = 2,
        ItemChecked = 4,
        ItemSeparator = 8,
    };

    IPopupMenu() = default;
    IPopupMenu(const IPopupMenu&) = delete;
    IPopupMenu& operator=(const IPopupMenu&) = delete;
    ~IPopupMenu();

    // Takes ownership of `submenu`. Returns the item's index, or -1 when the list is full.
    int AddItem(const char* label, int32_t flags = 0, IPopupMenu* submenu = nullptr);
    int AddSeparator() { return AddItem("", ItemSeparator); }

    int NItems() const { return items.Count(); }
    const char* ItemLabel(int item) const;
    int32_t ItemFlags(int item) const;
    IPopupMenu* SubMenu(int item) const;
    void SetItemChecked(int item, bool checked);

    void SetPrefix(int32_t newPrefix) { prefix = newPrefix; }
    int32_t Prefix() const { return prefix; }
    // The label as the menu shows it, numbered (1-based) when a prefix is set.
    void ShownLabel(int item, TextBuffer& out) const;

    int32_t ChosenItem() const { return chosenItem; }
    void SetChosenItem(int32_t item) { chosenItem = item; }

    // The first number after this menu's block and those of all its submenus, when its own
    // block starts at `first`.
    int CommandEnd(int first) const;
    // Where the block of the submenu of `item` starts when this menu's block starts at `first`.
    int SubMenuFirstCommand(int first, int item) const;
    // Finds the item with command number `command` (this menu being the top menu), sets it as
    // its menu's chosen item and returns that menu; none for a number outside every block.
    IPopupMenu* ChooseCommand(int command);

  private:
    struct Item {
        TextBuffer label;
        int32_t flags = 0;
        IPopupMenu* submenu = nullptr;
        ~Item() { delete submenu; }
    };

    IPopupMenu* ChooseCommandFrom(int first, int command);

    int32_t prefix = PrefixNone;
    int32_t chosenItem = -1;
    PointerList<Item> items;
};
