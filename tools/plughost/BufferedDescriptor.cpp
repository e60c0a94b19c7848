#include "tools/plughost/BufferedDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace plughost {

namespace {

constexpr size_t kBufferBytes = size_t{1} << 20;

BufferedDescriptor& Of(void* user) {
    return *static_cast<BufferedDescriptor*>(user);
}

} // namespace

BufferedDescriptor::BufferedDescriptor(int fd) : fd(fd), buffer(kBufferBytes) {}

SF_VIRTUAL_IO* BufferedDescriptor::VirtualIo() {
    static SF_VIRTUAL_IO io{
        [](void* user) { return Of(user).Length(); },
        [](sf_count_t offset, int whence, void* user) { return Of(user).Seek(offset, whence); },
        [](void* to, sf_count_t count, void* user) { return Of(user).Read(to, count); },
        [](const void* from, sf_count_t count, void* user) { return Of(user).Write(from, count); },
        [](void* user) { return Of(user).Tell(); },
    };
    return &io;
}

bool BufferedDescriptor::Fail() {
    if (error == 0)
        error = errno != 0 ? errno : EIO;
    return false;
}

bool BufferedDescriptor::Flush() {
    if (!dirty)
        return error == 0;
    size_t done = 0;
    while (done < fill) {
        const ssize_t put = write(fd, buffer.data() + done, fill - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            // What could not be written is dropped; the file is unusable anyway.
            dirty = false;
            fill = at = 0;
            return Fail();
        }
        done += static_cast<size_t>(put);
    }
    base += static_cast<sf_count_t>(fill);
    fill = at = 0;
    dirty = false;
    return error == 0;
}

sf_count_t BufferedDescriptor::Length() {
    Flush();
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        Fail();
        return -1;
    }
    return std::max<sf_count_t>(status.st_size, Tell());
}

sf_count_t BufferedDescriptor::Seek(sf_count_t offset, int whence) {
    const sf_count_t target = whence == SEEK_SET   ? offset
                              : whence == SEEK_CUR ? Tell() + offset
                                                   : Length() + offset;
    if (target < 0)
        return -1;
    if (dirty)
        Flush();
    if (target >= base && target <= base + static_cast<sf_count_t>(fill)) {
        at = static_cast<size_t>(target - base);
        return target;
    }
    if (lseek(fd, static_cast<off_t>(target), SEEK_SET) < 0) {
        Fail();
        return -1;
    }
    base = target;
    fill = at = 0;
    return target;
}

sf_count_t BufferedDescriptor::Read(void* to, sf_count_t count) {
    if (dirty && !Flush())
        return 0;
    char* out = static_cast<char*>(to);
    sf_count_t done = 0;
    while (done < count) {
        if (at == fill) {
            base += static_cast<sf_count_t>(fill);
            fill = at = 0;
            const ssize_t got = read(fd, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                Fail();
            if (got <= 0)
                break;
            fill = static_cast<size_t>(got);
        }
        const size_t n = std::min(fill - at, static_cast<size_t>(count - done));
        std::memcpy(out + done, buffer.data() + at, n);
        at += n;
        done += static_cast<sf_count_t>(n);
    }
    return done;
}

sf_count_t BufferedDescriptor::Write(const void* from, sf_count_t count) {
    if (!dirty) {
        // Bytes read ahead are dropped; writing goes on where the position is.
        const sf_count_t position = Tell();
        if (fill > 0 && lseek(fd, static_cast<off_t>(position), SEEK_SET) < 0) {
            Fail();
            return 0;
        }
        base = position;
        fill = at = 0;
        dirty = true;
    }
    const char* in = static_cast<const char*>(from);
    sf_count_t done = 0;
    while (done < count) {
        if (fill == buffer.size() && !Flush())
            return done;
        if (!dirty) {
            dirty = true;
            fill = at = 0;
        }
        const size_t n = std::min(buffer.size() - fill, static_cast<size_t>(count - done));
        std::memcpy(buffer.data() + fill, in + done, n);
        fill += n;
        at = fill;
        done += static_cast<sf_count_t>(n);
    }
    return done;
}

} // namespace plughost
