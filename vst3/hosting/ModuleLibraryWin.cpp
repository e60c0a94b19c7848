#include "vst3/hosting/ModuleLibrary.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Steinberg::Hosting::ModuleLibrary {

namespace {

std::wstring Wide(const std::string& utf8) {
    const int count =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.c_str(), -1, nullptr, 0);
    if (count <= 0)
        return {};
    std::wstring wide(size_t(count), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.c_str(), -1, wide.data(), count);
    wide.resize(size_t(count - 1));
    return wide;
}

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return "error " + std::to_string(code) + (message.empty() ? "" : " (" + message + ")");
}

} // namespace

std::string architectureFolder() {
    return kWindowsArchFolder;
}

// The DLL inside a Windows bundle keeps the bundle's own file name.
std::string binaryFileName(const std::string& bundleName) {
    return bundleName;
}

void* open(const std::string& binaryPath, std::string& reason) {
    const std::wstring wide = Wide(binaryPath);
    if (wide.empty()) {
        reason = "the path is not valid UTF-8";
        return nullptr;
    }
    // No message box from the system when the module or one of its DLLs cannot be loaded.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryW(wide.c_str());
    const DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (library == nullptr)
        reason = SystemMessage(error);
    return library;
}

void* symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void close(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

// Both entry points are optional on Windows; InitDll answering false fails the load.
std::string enter(void* library, ModuleExitFunc& exit) {
    const auto initDll = reinterpret_cast<InitDllFunc>(symbol(library, kInitDllName));
    if (initDll && !initDll())
        return ": InitDll failed";
    exit = reinterpret_cast<ExitDllFunc>(symbol(library, kExitDllName));
    return {};
}

} // namespace Steinberg::Hosting::ModuleLibrary
