#pragma once

#include "tools/plughost/Status.h"

#include <string>

namespace plughost {

// A file written under a temporary name beside its destination and renamed into place only
// by Commit, once every byte is on disk. Dropped uncommitted, it removes itself, so the
// destination never holds half a file and an existing one survives a failed write.
class PendingFile {
  public:
    PendingFile() = default;
    ~PendingFile() { Abandon(); }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    Status Open(const std::string& destination);
    int Descriptor() const { return fd; }
    Status Commit();
    void Abandon();

  private:
    std::string destination;
    std::string tempPath;
    int fd = -1;
};

} // namespace plughost
