#include "tools/plughost/response/ResponseCommand.h"

#include <cstdio>

namespace plughost {

// The measurement needs KissFFT and the plot cairo; this build was made without them.
int RunResponseCommand(const std::vector<std::string>&) {
    std::fputs("plughost: response is not available in this build (it needs KissFFT and "
               "cairo)\n",
               stderr);
    return 1;
}

} // namespace plughost
