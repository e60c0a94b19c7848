#include "tools/plughost/PendingFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace plughost {

Status PendingFile::Open(const std::string& path) {
    Abandon();
    destination = path;
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    tempPath = folder + (slash == std::string::npos ? "/" : "") + ".plughost-XXXXXX";
    fd = mkstemp(tempPath.data());
    if (fd < 0) {
        tempPath.clear();
        return Status::Fail("cannot create a file beside '" + path + "': " + std::strerror(errno));
    }
    // mkstemp makes the file private; the result should get the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return Status::Ok();
}

Status PendingFile::Commit() {
    if (fd < 0)
        return Status::Fail("nothing was written to '" + destination + "'");
    const bool synced = fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    fd = -1;
    if (!synced || !closed) {
        Abandon();
        return Status::Fail("error writing '" + destination + "': " + std::strerror(errno));
    }
    if (rename(tempPath.c_str(), destination.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        Abandon();
        return Status::Fail("cannot put '" + destination + "' in place: " + reason);
    }
    tempPath.clear();
    return Status::Ok();
}

void PendingFile::Abandon() {
    if (fd >= 0)
        close(fd);
    fd = -1;
    if (!tempPath.empty())
        unlink(tempPath.c_str());
    tempPath.clear();
}

} // namespace plughost
