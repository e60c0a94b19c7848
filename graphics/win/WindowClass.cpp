#include "graphics/win/WindowClass.h"

namespace {

int openCount = 0;
bool registered = false;
double redrawRate = 25.0;

} // namespace

namespace WindowClass {

void* ModuleHandle() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleHandle), &self);
    return self;
}

bool Acquire() {
    if (openCount == 0) {
        WNDCLASSW windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = EditorWindowProcedure;
        windowClass.hInstance = static_cast<HINSTANCE>(ModuleHandle());
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kName;
        // A class left behind by a module unloaded with windows open is still ours to use.
        if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
        registered = true;
    }
    ++openCount;
    return true;
}

void Release() {
    if (openCount <= 0)
        return;
    if (--openCount == 0 && registered) {
        UnregisterClassW(kName, static_cast<HINSTANCE>(ModuleHandle()));
        registered = false;
    }
}

int OpenCount() {
    return openCount;
}

bool Registered() {
    return registered;
}

void SetRedrawRate(double framesPerSecond) {
    redrawRate = framesPerSecond > 0.0 ? framesPerSecond : 25.0;
}

UINT TimerPeriodMs() {
    const double period = 1000.0 / redrawRate;
    return period >= 1.0 ? static_cast<UINT>(period) : 1u;
}

} // namespace WindowClass
