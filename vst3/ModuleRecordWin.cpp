#include "vst3/ModuleInfo.h"
#include "vst3/ModuleRecord.h"

#include <atomic>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

std::atomic<void*> attachedHandle{nullptr};

HMODULE ModuleOfThisCode() {
    if (void* handle = attachedHandle.load())
        return static_cast<HMODULE>(handle);
    // A program linking this code directly (no DllMain of ours ran): the file the code is in.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

} // namespace

void RecordModuleAttach(void* moduleHandle) {
    attachedHandle.store(moduleHandle);
}

// The module file's full path from the system, cut after its last backslash; a path longer
// than MAX_PATH wide characters leaves the folder unknown.
ModuleRecord ReadModuleRecord() {
    ModuleRecord record;
    HMODULE module = ModuleOfThisCode();
    record.handle = module;
    if (module == nullptr)
        return record;
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return record;
    wchar_t* last = wcsrchr(path, L'\\');
    if (last == nullptr)
        return record;
    last[1] = L'\0';
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path, -1, record.folder,
                                          ModuleRecord::kFolderCapacity, nullptr, nullptr);
    if (bytes <= 0)
        record.folder[0] = '\0';
    return record;
}
