#include "vst3/hosting/Module.h"

#include <filesystem>

#if SMTG_OS_LINUX
#include <dlfcn.h>
#include <sys/utsname.h>
#endif

namespace Steinberg::Hosting {

namespace fs = std::filesystem;

std::string Module::binaryPathForBundle(const std::string& path) {
    fs::path bundle(path);
    if (!bundle.has_filename())
        bundle = bundle.parent_path();
    const std::string stem = bundle.stem().string();
    if (stem.empty())
        return {};
#if SMTG_OS_LINUX
    struct utsname machine {};
    const std::string arch = uname(&machine) == 0 ? std::string(machine.machine) + "-linux"
                                                  : std::string(kLinuxArchFolder);
    return (bundle / kBundleContentsFolder / arch / (stem + ".so")).string();
#else
    return (bundle / kBundleContentsFolder / kWindowsArchFolder / bundle.filename()).string();
#endif
}

#if SMTG_OS_LINUX

namespace {

template <class Func> Func lookUp(void* handle, const char* name) {
    return reinterpret_cast<Func>(dlsym(handle, name));
}

} // namespace

std::unique_ptr<Module> Module::load(const std::string& path, std::string& errorText) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
        errorText = "not a VST 3 bundle folder: " + path;
        return nullptr;
    }
    const std::string binary = binaryPathForBundle(path);
    if (binary.empty() || !fs::is_regular_file(binary, ec)) {
        errorText = "bundle has no binary at " + (binary.empty() ? path : binary);
        return nullptr;
    }
    void* handle = dlopen(binary.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        errorText = "cannot load " + binary + ": " + (reason ? reason : "unknown error");
        return nullptr;
    }
    const auto getFactory = lookUp<GetFactoryProc>(handle, kGetPluginFactoryName);
    const auto entry = lookUp<ModuleEntryFunc>(handle, kModuleEntryName);
    const auto exit = lookUp<ModuleExitFunc>(handle, kModuleExitName);
    const char* missing = !getFactory ? kGetPluginFactoryName
                          : !entry    ? kModuleEntryName
                          : !exit     ? kModuleExitName
                                      : nullptr;
    if (missing) {
        errorText = binary + " does not export " + missing;
        dlclose(handle);
        return nullptr;
    }
    if (!entry(handle)) {
        errorText = binary + ": ModuleEntry failed";
        dlclose(handle);
        return nullptr;
    }
    IPluginFactory* factory = getFactory();
    if (factory == nullptr) {
        errorText = binary + ": GetPluginFactory returned no factory";
        exit();
        dlclose(handle);
        return nullptr;
    }
    std::unique_ptr<Module> module(new Module);
    module->bundlePath = path;
    module->binaryPath = binary;
    module->handle = handle;
    module->factory = factory;
    module->exitFunc = exit;
    return module;
}

Module::~Module() {
    if (factory)
        factory->release();
    if (exitFunc)
        exitFunc();
    if (handle)
        dlclose(handle);
}

#else

std::unique_ptr<Module> Module::load(const std::string& path, std::string& errorText) {
    errorText = "loading VST 3 modules is only implemented on Linux: " + path;
    return nullptr;
}

Module::~Module() = default;

#endif

} // namespace Steinberg::Hosting
