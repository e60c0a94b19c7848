// Audio files where the build has no libsndfile: WAV only, walked and decoded by WavFile.
#include "tools/plughost/AudioFileReader.h"

#include "tools/plughost/Utf8Path.h"
#include "tools/plughost/WavFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace plughost {

struct AudioFileReader::File {
    std::FILE* handle = nullptr;
    WavSamples layout;
    std::vector<std::uint8_t> bytes; // one read's worth of encoded frames
    ~File() {
        if (handle != nullptr)
            std::fclose(handle);
    }
};

AudioFileReader::AudioFileReader() = default;
AudioFileReader::~AudioFileReader() = default;

Status AudioFileReader::OpenFile() {
    file = std::make_unique<File>();
    std::error_code ec;
    const auto status = std::filesystem::status(PathFromUtf8(path), ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return Status::Fail("cannot read audio file '" + path + "': no such file");
    if (!ec && !std::filesystem::is_regular_file(status))
        return Status::Fail("cannot read audio file '" + path + "': not a regular file");
    file->handle = _wfopen(PathFromUtf8(path).c_str(), L"rb");
    if (file->handle == nullptr)
        return Status::Fail("cannot read audio file '" + path + "': " + std::strerror(errno));
    std::FILE* in = file->handle;
    if (_fseeki64(in, 0, SEEK_END) != 0)
        return Status::Fail("cannot read audio file '" + path + "': " + std::strerror(errno));
    const long long size = _ftelli64(in);
    const auto read = [in](std::uint64_t offset, std::uint8_t* to, size_t count) {
        if (_fseeki64(in, static_cast<long long>(offset), SEEK_SET) != 0)
            return size_t{0};
        return std::fread(to, 1, count, in);
    };
    WavSamples& layout = file->layout;
    if (Status s =
            FindWavSamples(read, size > 0 ? static_cast<std::uint64_t>(size) : 0, path, layout);
        !s)
        return s;
    if (_fseeki64(in, static_cast<long long>(layout.offset), SEEK_SET) != 0)
        return Status::Fail("cannot read audio file '" + path + "': " + std::strerror(errno));
    channels = layout.channels;
    rate = layout.rate;
    sourceFormat = format::kWav | layout.Encoding();
    // A size left open by the writer means the samples run to the end of the file.
    const std::uint64_t bytes =
        layout.declaredBytes == 0xFFFFFFFF ? layout.availableBytes : layout.declaredBytes;
    frames = static_cast<std::int64_t>(bytes / layout.FrameBytes());
    return Status::Ok();
}

std::int64_t AudioFileReader::ReadInterleaved(double* interleaved, std::int64_t count,
                                              std::string& error) {
    File& f = *file;
    const std::int64_t wanted = std::min(count, frames - position);
    if (wanted <= 0)
        return 0;
    const size_t frameBytes = f.layout.FrameBytes();
    f.bytes.resize(static_cast<size_t>(wanted) * frameBytes);
    const size_t got =
        std::fread(f.bytes.data(), frameBytes, static_cast<size_t>(wanted), f.handle);
    if (got < static_cast<size_t>(wanted) && std::ferror(f.handle))
        error = std::strerror(errno);
    DecodeWavInterleaved(f.bytes.data(), f.layout, got, interleaved);
    return static_cast<std::int64_t>(got);
}

} // namespace plughost
