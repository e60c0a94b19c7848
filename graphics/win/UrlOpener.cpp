#include "graphics/win/UrlOpener.h"

#include "graphics/win/WideText.h"
#include "graphics/win/WindowsHeaders.h"

#include <shellapi.h>
#include <wininet.h>

bool InternetAvailable() {
    DWORD state = 0;
    return InternetGetConnectedState(&state, 0) != FALSE;
}

bool LaunchUrlOpener(const char* url) {
    if (!url || !*url)
        return false;
    const std::wstring wide = WideOf(url);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Results up to 32 are the shell's error codes.
    return result > 32;
}
