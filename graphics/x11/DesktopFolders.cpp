#include "graphics/x11/DesktopFolders.h"

#include "core/TextBuffer.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int kPathCapacity = 4096;

bool IsAbsolute(const char* path) {
    return path && path[0] == '/';
}

// $HOME, else the password database's entry for this user; none when neither is usable.
const char* HomeFolder() {
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home))
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry && IsAbsolute(entry->pw_dir) ? entry->pw_dir : nullptr;
}

// `keep` characters stay even when they are separators: the root folder alone is "/".
void SetWithoutTrailingSlash(TextBuffer& out, const char* path, int length, int keep = 1) {
    while (length > keep && path[length - 1] == '/')
        --length;
    out.SetAt(0, path, length);
}

void SetFromVariableOrHome(TextBuffer& out, const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (IsAbsolute(value)) {
        SetWithoutTrailingSlash(out, value, static_cast<int>(std::strlen(value)));
        return;
    }
    const char* home = HomeFolder();
    if (!home) {
        out.Set("");
        return;
    }
    // A home of "/" gives "/Desktop", not "//Desktop".
    SetWithoutTrailingSlash(out, home, static_cast<int>(std::strlen(home)), 0);
    out.Append(underHome);
}

} // namespace

void ExecutableFolder(TextBuffer& out) {
    char path[kPathCapacity];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        out.Set("");
        return;
    }
    path[length] = '\0';
    char* last = std::strrchr(path, '/');
    if (!last) {
        out.Set("");
        return;
    }
    last[1] = '\0';
    out.Set(path);
}

void UserDesktopFolder(TextBuffer& out) {
    SetFromVariableOrHome(out, "XDG_DESKTOP_DIR", "/Desktop");
}

void UserDataHome(TextBuffer& out) {
    SetFromVariableOrHome(out, "XDG_DATA_HOME", "/.local/share");
}

void SharedDataFolder(TextBuffer& out) {
    // The list is searched in order; its first absolute entry is the preferred place.
    const char* list = std::getenv("XDG_DATA_DIRS");
    while (list && *list) {
        const char* end = std::strchr(list, ':');
        const int length = end ? static_cast<int>(end - list) : static_cast<int>(std::strlen(list));
        if (length > 0 && list[0] == '/') {
            SetWithoutTrailingSlash(out, list, length);
            return;
        }
        list = end ? end + 1 : nullptr;
    }
    out.Set("/usr/local/share");
}
