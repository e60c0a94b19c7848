// The system's dynamic loader as Module uses it; one implementation per platform
// (ModuleLibraryPosix.cpp, ModuleLibraryWin.cpp).
#pragma once

#include "vst3/sdk/ModuleEntry.h"

#include <string>

namespace Steinberg::Hosting::ModuleLibrary {

// The folder below Contents that holds this machine's binary.
std::string architectureFolder();
// The binary's file name inside a bundle whose folder is called `bundleName` (NAME.vst3).
std::string binaryFileName(const std::string& bundleName);

// Paths are UTF-8. Null on failure, with the system's reason.
void* open(const std::string& binaryPath, std::string& reason);
void* symbol(void* library, const char* name);
void close(void* library);

// Runs the module's load-time entry point. Empty on success, with `exit` the matching exit
// call (null when the module has none); else what went wrong.
std::string enter(void* library, ModuleExitFunc& exit);

} // namespace Steinberg::Hosting::ModuleLibrary
