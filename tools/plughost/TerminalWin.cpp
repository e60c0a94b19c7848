#include "tools/plughost/Terminal.h"

#include <windows.h>

#include <io.h>

namespace plughost {

// _isatty also says yes for the NUL device; only a console answers GetConsoleMode.
bool IsTerminal(std::FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void UseUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
}

} // namespace plughost
