#pragma once

#include "vst3/hosting/Module.h"

#include <string>

// The text of moduleinfo.json for a loaded module: its name and version, the factory
// information and every class with its ID text, category, sub-categories and versions, in the
// keys current VST 3 hosts read.
std::string ModuleInfoJson(const Steinberg::Hosting::Module& module, const std::string& name);
