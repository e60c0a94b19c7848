#include "WinTestWindows.h"

#include "graphics/win/WindowsHeaders.h"

#include <chrono>
#include <cstdlib>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return TRUE;
}

} // namespace

bool GuiAvailable() {
    const char* flag = std::getenv("SORVEL_WINE_GUI");
    return flag && *flag == '1';
}

int Descendants(void* window) {
    int count = 0;
    EnumChildWindows(static_cast<HWND>(window), CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

void PumpMessages(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              end - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT);
    }
}

// A process with windows always owns some of each; none means the system keeps no count.
int GdiObjects() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count > 0 ? int(count) : -1;
}

int UserObjects() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return count > 0 ? int(count) : -1;
}
