#include "graphics/win/DesktopFolders.h"

#include "core/TextBuffer.h"
#include "graphics/win/WideText.h"
#include "graphics/win/WindowsHeaders.h"

#include <shlobj.h>

#include <cstring>

void FolderOfPath(const char* path, TextBuffer& out) {
    out.Set("");
    if (!path)
        return;
    const char* slash = std::strrchr(path, '\\');
    if (!slash || slash[1] == '\0')
        return;
    out.SetAt(0, path, static_cast<int>(slash - path) + 1);
}

void FolderOfModule(void* module, TextBuffer& out) {
    // Long paths are cut by the system at the buffer's end; such a name is no path at all.
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), name, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        out.Set("");
        return;
    }
    FolderOfPath(Utf8Of(name).c_str(), out);
}

void SpecialFolder(SpecialFolderKind kind, TextBuffer& out) {
    int id = CSIDL_DESKTOPDIRECTORY;
    if (kind == SpecialFolderKind::LocalAppData)
        id = CSIDL_LOCAL_APPDATA;
    else if (kind == SpecialFolderKind::CommonAppData)
        id = CSIDL_COMMON_APPDATA;
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        path[0] = L'\0';
    out.Set(Utf8Of(path).c_str());
}
