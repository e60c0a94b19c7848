#include "tools/plughost/Terminal.h"

#include <unistd.h>

namespace plughost {

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

// Terminals here take the bytes as they are.
void UseUtf8Console() {}

} // namespace plughost
