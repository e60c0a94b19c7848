#pragma once

#include "tools/plughost/ModuleDescription.h"

#include <string>

namespace plughost {

// The report of `plughost info` for people...
std::string InfoText(const ModuleDescription& d);
// ...and for programs.
std::string InfoJson(const ModuleDescription& d);

} // namespace plughost
