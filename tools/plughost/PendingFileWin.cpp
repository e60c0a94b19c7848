// Windows: the temporary file is opened through its wide name as a C runtime descriptor, and
// MoveFileExW replaces the destination, which rename() refuses to do on this system.
#include "tools/plughost/PendingFile.h"

#include "tools/plughost/Utf8Path.h"

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace plughost {

namespace {

std::string LastErrorText() {
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, 256, nullptr);
    std::string utf8 = Utf8FromPath(std::filesystem::path(text));
    while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == '.'))
        utf8.pop_back();
    return utf8;
}

} // namespace

Status PendingFile::Open(const std::string& path) {
    Abandon();
    destination = path;
    const std::filesystem::path target = PathFromUtf8(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(L".");
    // A fresh name per attempt; _O_EXCL makes a collision fail instead of sharing a file.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        wchar_t name[64];
        swprintf(name, 64, L".plughost-%08lx%04x", GetCurrentProcessId() ^ GetTickCount(),
                 static_cast<unsigned>(attempt * 7919 + GetTickCount()) & 0xFFFF);
        const std::filesystem::path candidate = folder / name;
        fd = _wopen(candidate.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                    _S_IREAD | _S_IWRITE);
        if (fd >= 0)
            tempPath = Utf8FromPath(candidate);
        else if (errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Status::Fail("cannot create a file beside '" + path + "': " + std::strerror(errno));
    return Status::Ok();
}

Status PendingFile::Commit() {
    if (fd < 0)
        return Status::Fail("nothing was written to '" + destination + "'");
    const bool synced = _commit(fd) == 0;
    const bool closed = _close(fd) == 0;
    fd = -1;
    if (!synced || !closed) {
        Abandon();
        return Status::Fail("error writing '" + destination + "': " + std::strerror(errno));
    }
    if (!MoveFileExW(PathFromUtf8(tempPath).c_str(), PathFromUtf8(destination).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::string reason = LastErrorText();
        Abandon();
        return Status::Fail("cannot put '" + destination + "' in place: " + reason);
    }
    tempPath.clear();
    return Status::Ok();
}

void PendingFile::Abandon() {
    if (fd >= 0)
        _close(fd);
    fd = -1;
    if (!tempPath.empty())
        _wunlink(PathFromUtf8(tempPath).c_str());
    tempPath.clear();
}

} // namespace plughost
