#include "tools/plughost/ProgramArguments.h"

#include <windows.h>

#include <shellapi.h>

namespace plughost {

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

} // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                        : std::vector<std::string>{};
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(ToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

} // namespace plughost
