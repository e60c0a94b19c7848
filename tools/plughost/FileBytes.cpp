#include "tools/plughost/FileBytes.h"

#include "tools/plughost/PendingFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plughost {

Status ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                     std::int64_t limit) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return Status::Fail("cannot read '" + path + "': " + std::strerror(errno));
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Status::Fail("cannot read '" + path + "': not a regular file");
    }
    if (info.st_size > limit) {
        close(fd);
        return Status::Fail("'" + path + "' is too large (" + std::to_string(info.st_size) +
                            " bytes)");
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    close(fd);
    if (done != bytes.size())
        return Status::Fail("cannot read '" + path + "' completely");
    return Status::Ok();
}

Status WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    PendingFile file;
    if (Status s = file.Open(path); !s)
        return s;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(file.Descriptor(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return Status::Fail("error writing '" + path + "': " + std::strerror(errno));
        done += static_cast<size_t>(put);
    }
    return file.Commit();
}

} // namespace plughost
