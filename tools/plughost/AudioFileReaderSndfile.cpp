// Audio files through libsndfile.
#include "tools/plughost/AudioFileReader.h"

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/WavFile.h"

#include <sndfile.h>

#include <cstdio>

namespace plughost {

namespace {

// The frames a WAV file's data chunk declares; -1 when it cannot tell or the writer left the
// size open. libsndfile counts only the frames that are there, which would make a file cut
// short read as a complete shorter one.
std::int64_t DeclaredWavFrames(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return -1;
    const auto read = [in](std::uint64_t offset, std::uint8_t* to, size_t count) {
        if (fseeko(in, static_cast<off_t>(offset), SEEK_SET) != 0)
            return size_t{0};
        return std::fread(to, 1, count, in);
    };
    std::int64_t frames = -1;
    WavSamples layout;
    if (fseeko(in, 0, SEEK_END) == 0)
        if (const off_t size = ftello(in); size > 0)
            if (FindWavSamples(read, static_cast<std::uint64_t>(size), path, layout).ok() &&
                layout.declaredBytes != 0xFFFFFFFF)
                frames = static_cast<std::int64_t>(layout.declaredBytes / layout.FrameBytes());
    std::fclose(in);
    return frames;
}

} // namespace

struct AudioFileReader::File {
    SNDFILE* handle = nullptr;
    ~File() {
        if (handle != nullptr)
            sf_close(handle);
    }
};

AudioFileReader::AudioFileReader() = default;
AudioFileReader::~AudioFileReader() = default;

Status AudioFileReader::OpenFile() {
    file.reset();
    SF_INFO info{};
    SNDFILE* handle = sf_open(path.c_str(), SFM_READ, &info);
    if (handle == nullptr)
        return Status::Fail("cannot read audio file '" + path + "': " + sf_strerror(nullptr));
    file = std::make_unique<File>();
    file->handle = handle;
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (!IsReadableContainer(container))
        return Status::Fail("unsupported audio file '" + path +
                            "': only WAV, FLAC and AIFF are read");
    if (info.channels < 1 || info.samplerate < 1)
        return Status::Fail("audio file '" + path + "' has no channels or no sample rate");
    channels = info.channels;
    rate = info.samplerate;
    sourceFormat = info.format;
    frames = info.frames == SF_COUNT_MAX ? -1 : info.frames;
    if (container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX)
        frames = std::max(frames, DeclaredWavFrames(path));
    return Status::Ok();
}

std::int64_t AudioFileReader::ReadInterleaved(double* interleaved, std::int64_t count,
                                              std::string& error) {
    const sf_count_t got = sf_readf_double(file->handle, interleaved, count);
    if (got < count)
        if (const int code = sf_error(file->handle); code != SF_ERR_NO_ERROR)
            error = sf_error_number(code);
    return std::max<sf_count_t>(got, 0);
}

} // namespace plughost
