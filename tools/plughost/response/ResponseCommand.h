#pragma once

#include <string>
#include <vector>

namespace plughost {

// `plughost response BUNDLE ...`: reads its own arguments (args[0] is "response") and returns
// the exit status. Builds without KissFFT and cairo answer with one line saying so.
int RunResponseCommand(const std::vector<std::string>& args);

} // namespace plughost
