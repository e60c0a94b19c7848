// The Windows module's own entry: keeps the module handle, through which InitDll hands the
// framework its handle and the editor finds the PNG resources.
#include "vst3/ModuleInfo.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// Loader thread, under the loader lock: nothing here may load libraries or wait.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        RecordModuleAttach(instance);
    return TRUE;
}
