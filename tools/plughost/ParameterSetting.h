#pragma once

#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/RenderSession.h"
#include "tools/plughost/Status.h"

#include <string>
#include <string_view>
#include <vector>

namespace plughost {

// Turns one "NAME=VALUE" into the parameter and normalised value it means. NAME is a title as
// the controller announces it (an exact match first, then one that differs only in case, then
// "#ID" for a parameter without a usable title). VALUE is a value as the plug-in displays it,
// converted by the controller, or "@x" for a normalised value. A value outside the parameter's
// range, a text the plug-in does not take, an unknown or read-only parameter are refused.
Status ResolveSetting(const PluginInstance& plugin, const std::vector<ParameterEntry>& parameters,
                      const std::string& setting, ParameterChange& out);
// Every setting in turn, as ResolveSetting resolves it; the first refusal is the result.
Status ResolveSettings(const PluginInstance& plugin, const std::vector<std::string>& settings,
                       std::vector<ParameterChange>& out);

// Titles close to `name` (by spelling or as a prefix), nearest first, at most five.
std::vector<std::string> CloseMatches(const std::vector<ParameterEntry>& parameters,
                                      std::string_view name);

} // namespace plughost
