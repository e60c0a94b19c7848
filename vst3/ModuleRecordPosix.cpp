#include "vst3/ModuleRecord.h"

#include <climits>
#include <cstdlib>
#include <cstring>

// The module services of the loader: dladdr in place of the Win32 module handle and file name.
#include <dlfcn.h>

// The path of the file this code was loaded from, cut after its last separator.
ModuleRecord ReadModuleRecord() {
    ModuleRecord record;
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ReadModuleRecord), &info))
        return record;
    record.handle = info.dli_fbase;
    // The loader reports the path it was given, which may be relative to a working folder the
    // host can change later.
    char resolved[PATH_MAX];
    const char* path =
        info.dli_fname && realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    if (path && std::strlen(path) < static_cast<size_t>(ModuleRecord::kFolderCapacity))
        std::strcpy(record.folder, path);
    char* last = std::strrchr(record.folder, '/');
    if (last)
        last[1] = '\0';
    else
        record.folder[0] = '\0';
    return record;
}
