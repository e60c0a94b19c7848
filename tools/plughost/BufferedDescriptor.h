#pragma once

#include <sndfile.h>

#include <vector>

namespace plughost {

// An open file descriptor behind one buffer of a mebibyte, handed to libsndfile as its virtual
// I/O: the library reads and writes a few kilobytes per call, the system then sees a mebibyte,
// which on a long render saves most of the time spent in system calls. The descriptor stays
// the caller's; Flush writes what is held, and the first failure is kept in Error().
class BufferedDescriptor {
  public:
    explicit BufferedDescriptor(int fd);
    BufferedDescriptor(const BufferedDescriptor&) = delete;
    BufferedDescriptor& operator=(const BufferedDescriptor&) = delete;

    // The callbacks for sf_open_virtual, with a BufferedDescriptor as their user data.
    static SF_VIRTUAL_IO* VirtualIo();

    sf_count_t Length();
    sf_count_t Seek(sf_count_t offset, int whence);
    sf_count_t Read(void* to, sf_count_t count);
    sf_count_t Write(const void* from, sf_count_t count);
    sf_count_t Tell() const { return base + static_cast<sf_count_t>(at); }
    bool Flush();
    // The errno of the first failed system call; 0 while all went well.
    int Error() const { return error; }

  private:
    bool Fail();

    int fd;
    std::vector<char> buffer;
    // The buffer holds the file's bytes from `base` on: `fill` of them, of which the first `at`
    // are behind the current position. Written bytes wait there until a flush (`dirty`); read
    // ones are there to be read again. The descriptor's own position is `base` while dirty,
    // else `base + fill`.
    sf_count_t base = 0;
    size_t fill = 0;
    size_t at = 0;
    bool dirty = false;
    int error = 0;
};

} // namespace plughost
