// The module's entry points besides GetPluginFactory. Linux hosts call ModuleEntry after
// loading and ModuleExit before unloading; Windows hosts call InitDll and ExitDll.
#include "vst3/ModuleInfo.h"
#include "vst3/sdk/FTypes.h"

#include <mutex>

// Windows hosts know only InitDll and ExitDll, and the module exports exactly the names its
// .def file lists.
#if SMTG_OS_LINUX
namespace {

// Hosts may enter a module more than once (several host components sharing one load); only
// the first entry and the last exit count.
std::mutex entryLock;
int entryCount = 0;

} // namespace

extern "C" {

// Host thread that loads the module: records the host's handle of the module.
SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle) {
    std::lock_guard<std::mutex> guard(entryLock);
    if (entryCount++ == 0)
        SetLoadedModuleHandle(sharedLibraryHandle ? sharedLibraryHandle : RecordedModuleHandle());
    return true;
}

// Host thread that unloads the module: false when it was not entered.
SMTG_EXPORT_SYMBOL bool ModuleExit() {
    std::lock_guard<std::mutex> guard(entryLock);
    if (entryCount <= 0)
        return false;
    if (--entryCount == 0)
        SetLoadedModuleHandle(nullptr);
    return true;
}

} // extern "C"
#endif

extern "C" {

// Host thread that loads the module: makes the module's own record the framework's handle.
SMTG_EXPORT_SYMBOL bool InitDll() {
    SetLoadedModuleHandle(RecordedModuleHandle());
    return true;
}

// Host thread that unloads the module.
SMTG_EXPORT_SYMBOL bool ExitDll() {
    return true;
}

} // extern "C"
