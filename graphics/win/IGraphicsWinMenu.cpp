// Popup menus: the editor's menu description as a native menu, numbered depth-first.
#include "graphics/win/IGraphicsWin.h"

#include "graphics/IPopupMenu.h"
#include "graphics/win/WideText.h"
#include "graphics/win/WindowsHeaders.h"

namespace {

// The items of `menu` take the numbers from `first` on; each submenu gets its own block after
// them (IPopupMenu's numbering).
void BuildNativeMenu(HMENU native, const IPopupMenu& menu, int first) {
    TextBuffer label;
    for (int i = 0; i < menu.NItems(); ++i) {
        const int32_t flags = menu.ItemFlags(i);
        if (flags & IPopupMenu::ItemSeparator) {
            AppendMenuW(native, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT nativeFlags = MF_STRING;
        if (flags & IPopupMenu::ItemGreyed)
            nativeFlags |= MF_GRAYED;
        if (flags & IPopupMenu::ItemDisabled)
            nativeFlags |= MF_DISABLED;
        if (flags & IPopupMenu::ItemChecked)
            nativeFlags |= MF_CHECKED;
        menu.ShownLabel(i, label);
        const std::wstring text = WideOf(label.Get());
        UINT_PTR id = static_cast<UINT_PTR>(first + i);
        if (const IPopupMenu* submenu = menu.SubMenu(i)) {
            HMENU child = CreatePopupMenu();
            BuildNativeMenu(child, *submenu, menu.SubMenuFirstCommand(first, i));
            nativeFlags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(child);
        }
        AppendMenuW(native, nativeFlags, id, text.c_str());
    }
}

} // namespace

IPopupMenu* IGraphicsWin::PopupMenuAt(IPopupMenu& menu, const PixelRect& rect) {
    // The menu takes the mouse: a gesture in progress ends here.
    ReleaseCapture();
    if (!window)
        return nullptr;
    HWND hwnd = static_cast<HWND>(window);
    HMENU native = CreatePopupMenu();
    if (!native)
        return nullptr;
    BuildNativeMenu(native, menu, 0);
    const PixelRect drawn = PixelsOf(rect);
    POINT corner{drawn.left, drawn.bottom};
    ClientToScreen(hwnd, &corner);
    TrackPopupMenu(native, TPM_LEFTALIGN | TPM_LEFTBUTTON, corner.x, corner.y, 0, hwnd, nullptr);
    // The choice arrives as a posted command; item 0 is a command of its own, so "nothing
    // chosen" is the absence of the message, not a number.
    IPopupMenu* chosen = nullptr;
    MSG command;
    if (PeekMessageW(&command, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
        HIWORD(command.wParam) == 0)
        chosen = menu.ChooseCommand(LOWORD(command.wParam));
    DestroyMenu(native);
    InvalidateRect(hwnd, nullptr, FALSE);
    return chosen;
}
