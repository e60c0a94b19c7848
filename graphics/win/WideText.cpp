#include "graphics/win/WideText.h"

#include "graphics/win/WindowsHeaders.h"

std::wstring WideOf(const char* utf8) {
    if (!utf8 || !*utf8)
        return {};
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (count <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), count);
    wide.resize(static_cast<size_t>(count - 1));
    return wide;
}

std::string Utf8Of(const wchar_t* wide) {
    if (!wide || !*wide)
        return {};
    const int count = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1)
        return {};
    std::string utf8(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), count, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(count - 1));
    return utf8;
}
