#pragma once

#include "graphics/win/WindowsHeaders.h"

// The module's one window class for editor windows, "IPlugWndClass": registered when the first
// editor window opens and unregistered when the last one closes, so a module can be unloaded
// with no class left behind. Also the redraw rate a window's creation reads for its timer.
// The user-interface thread only.
namespace WindowClass {

inline constexpr const wchar_t* kName = L"IPlugWndClass";

// The module that holds this code (the plug-in's DLL, or the program it is linked into).
void* ModuleHandle();

// Counts one more open window, registering the class for the first. False, counting nothing,
// when the class cannot be registered.
bool Acquire();
// Counts one window fewer; the last unregisters the class.
void Release();
int OpenCount();
bool Registered();

void SetRedrawRate(double framesPerSecond);
// truncate(1000 / rate) milliseconds.
UINT TimerPeriodMs();

} // namespace WindowClass

// The class's window procedure (IGraphicsWinEvents.cpp).
LRESULT CALLBACK EditorWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
