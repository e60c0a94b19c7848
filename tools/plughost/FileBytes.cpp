#include "tools/plughost/FileBytes.h"

#include "tools/plughost/PendingFile.h"
#include "tools/plughost/Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace plughost {

Status ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::int64_t limit,
                     const std::string& kind) {
    bytes.clear();
    const std::string name = kind + (kind.empty() ? "'" : "file '") + path + "'";
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return Status::Fail("cannot read " + name + ": no such file");
    if (ec)
        return Status::Fail("cannot read " + name + ": " + ec.message());
    if (!std::filesystem::is_regular_file(status))
        return Status::Fail("cannot read " + name + ": not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > static_cast<std::uintmax_t>(limit))
        return Status::Fail(name + " is too large (" + std::to_string(size) + " bytes)");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Status::Fail("cannot read " + name + ": " + std::strerror(errno));
    bytes.resize(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<size_t>(in.gcount()) != bytes.size())
        return Status::Fail("cannot read " + name + " completely");
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
