#include "vst3/hosting/Module.h"

#include "vst3/hosting/ModuleLibrary.h"

#include <filesystem>

namespace Steinberg::Hosting {

namespace fs = std::filesystem;

namespace {

// UTF-8 both ways on every system (a narrow path on Windows would be read in the ANSI code page).
fs::path PathFromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string Module::binaryPathForBundle(const std::string& path) {
    fs::path bundle = PathFromUtf8(path);
    if (!bundle.has_filename())
        bundle = bundle.parent_path();
    if (bundle.stem().empty())
        return {};
    const std::string name = Utf8FromPath(bundle.filename());
    fs::path binary = bundle / kBundleContentsFolder / ModuleLibrary::architectureFolder() /
                      PathFromUtf8(ModuleLibrary::binaryFileName(name));
    return Utf8FromPath(binary.make_preferred());
}

std::unique_ptr<Module> Module::load(const std::string& path, std::string& errorText) {
    std::error_code ec;
    if (!fs::is_directory(PathFromUtf8(path), ec)) {
        errorText = "not a VST 3 bundle folder: " + path;
        return nullptr;
    }
    const std::string binary = binaryPathForBundle(path);
    if (binary.empty() || !fs::is_regular_file(PathFromUtf8(binary), ec)) {
        errorText = "bundle has no binary at " + (binary.empty() ? path : binary);
        return nullptr;
    }
    std::string reason;
    void* handle = ModuleLibrary::open(binary, reason);
    if (handle == nullptr) {
        errorText = "cannot load " + binary + ": " + reason;
        return nullptr;
    }
    const auto getFactory =
        reinterpret_cast<GetFactoryProc>(ModuleLibrary::symbol(handle, kGetPluginFactoryName));
    if (!getFactory) {
        errorText = binary + " does not export " + kGetPluginFactoryName;
        ModuleLibrary::close(handle);
        return nullptr;
    }
    ModuleExitFunc exit = nullptr;
    const std::string entryFailure = ModuleLibrary::enter(handle, exit);
    if (!entryFailure.empty()) {
        errorText = binary + entryFailure;
        ModuleLibrary::close(handle);
        return nullptr;
    }
    IPluginFactory* factory = getFactory();
    if (factory == nullptr) {
        errorText = binary + ": GetPluginFactory returned no factory";
        if (exit)
            exit();
        ModuleLibrary::close(handle);
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
        ModuleLibrary::close(handle);
}

} // namespace Steinberg::Hosting
