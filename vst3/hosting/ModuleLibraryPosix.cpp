#include "vst3/hosting/ModuleLibrary.h"

#include <dlfcn.h>
#include <sys/utsname.h>

namespace Steinberg::Hosting::ModuleLibrary {

std::string architectureFolder() {
    struct utsname machine {};
    return uname(&machine) == 0 ? std::string(machine.machine) + "-linux"
                                : std::string(kLinuxArchFolder);
}

std::string binaryFileName(const std::string& bundleName) {
    const size_t dot = bundleName.rfind('.');
    return bundleName.substr(0, dot == 0 ? std::string::npos : dot) + ".so";
}

void* open(const std::string& binaryPath, std::string& reason) {
    void* library = dlopen(binaryPath.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        const char* text = dlerror();
        reason = text ? text : "unknown error";
    }
    return library;
}

void* symbol(void* library, const char* name) {
    return dlsym(library, name);
}

void close(void* library) {
    dlclose(library);
}

// Both entry points are mandatory on Linux.
std::string enter(void* library, ModuleExitFunc& exit) {
    const auto entry = reinterpret_cast<ModuleEntryFunc>(symbol(library, kModuleEntryName));
    const auto moduleExit = reinterpret_cast<ModuleExitFunc>(symbol(library, kModuleExitName));
    if (!entry)
        return std::string(" does not export ") + kModuleEntryName;
    if (!moduleExit)
        return std::string(" does not export ") + kModuleExitName;
    if (!entry(library))
        return ": ModuleEntry failed";
    exit = moduleExit;
    return {};
}

} // namespace Steinberg::Hosting::ModuleLibrary
