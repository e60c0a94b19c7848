// A loaded VST 3 module: the bundle's binary, its entry calls and its factory.
#pragma once

#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/ModuleEntry.h"

#include <memory>
#include <string>

namespace Steinberg::Hosting {

class Module {
  public:
    // Loads the bundle folder NAME.vst3 (a UTF-8 path) and takes one factory reference.
    // Linux: Contents/<machine>-linux/NAME.so; requires GetPluginFactory, ModuleEntry and
    // ModuleExit, and calls ModuleEntry(handle). Windows: Contents/x86_64-win/NAME.vst3;
    // requires GetPluginFactory (looked up by name) and calls InitDll when exported.
    // Null on failure, with the reason in `errorText`.
    static std::unique_ptr<Module> load(const std::string& bundlePath, std::string& errorText);

    // Releases the factory, then calls ModuleExit (ExitDll) and unloads the binary.
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Valid for the module's lifetime; not an added reference.
    IPluginFactory* getFactory() const { return factory; }
    const std::string& getBundlePath() const { return bundlePath; }
    const std::string& getBinaryPath() const { return binaryPath; }

    // Where the binary of `bundlePath` lives on this machine; empty when the
    // path has no usable name.
    static std::string binaryPathForBundle(const std::string& bundlePath);

  private:
    Module() = default;

    std::string bundlePath;
    std::string binaryPath;
    void* handle = nullptr;
    IPluginFactory* factory = nullptr;
    ModuleExitFunc exitFunc = nullptr;
};

} // namespace Steinberg::Hosting
