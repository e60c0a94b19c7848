// What a host looks up in a module and where it finds the binary in a bundle.
// All exports are extern "C" and undecorated on x86-64.
#pragma once

#include "vst3/sdk/IPluginFactory.h"

namespace Steinberg {

// Every call hands the caller one reference; a null result fails the load.
using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();
// Linux: both mandatory. ModuleEntry receives the dlopen handle; false fails the load.
using ModuleEntryFunc = bool (*)(void* sharedLibraryHandle);
using ModuleExitFunc = bool (*)();
// Windows: both optional; InitDll returning false fails the load.
using InitDllFunc = bool (*)();
using ExitDllFunc = bool (*)();

inline constexpr const char* kGetPluginFactoryName = "GetPluginFactory";
inline constexpr const char* kModuleEntryName = "ModuleEntry";
inline constexpr const char* kModuleExitName = "ModuleExit";
inline constexpr const char* kInitDllName = "InitDll";
inline constexpr const char* kExitDllName = "ExitDll";

// NAME.vst3/Contents/<arch folder>/NAME.so on Linux; the DLL inside a Windows
// bundle keeps the bundle's file name.
inline constexpr const char* kBundleContentsFolder = "Contents";
inline constexpr const char* kLinuxArchFolder = "x86_64-linux";
inline constexpr const char* kWindowsArchFolder = "x86_64-win";
inline constexpr const char* kBundleResourcesFolder = "Resources";
inline constexpr const char* kModuleInfoFileName = "moduleinfo.json";

// Category of the optional class that lists replaced class ids when a bundle
// has no moduleinfo.json.
inline constexpr FIDString kPluginCompatibilityClass = "Plugin Compatibility Class";

} // namespace Steinberg
