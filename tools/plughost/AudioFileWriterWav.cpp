// Audio files where the build has no libsndfile: WAV only, encoded by WavFile.
#include "tools/plughost/AudioFileWriter.h"

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/AudioFormat.h"
#include "tools/plughost/PendingFile.h"
#include "tools/plughost/WavFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <io.h>
#include <vector>

namespace plughost {

struct AudioFileWriter::File {
    PendingFile pending;
    std::vector<std::uint8_t> bytes; // encoded, written a mebibyte at a time
    int encoding = 0;
    std::uint64_t expected = 0;
    std::uint64_t written = 0;
    std::uint64_t dataBytes = 0;
};

namespace {

constexpr size_t kFlushBytes = size_t{1} << 20;

Status WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const int put =
            _write(descriptor, bytes.data() + done,
                   static_cast<unsigned>(std::min<size_t>(bytes.size() - done, 1 << 30)));
        if (put <= 0)
            return Status::Fail("error writing '" + path + "': " + std::strerror(errno));
        done += static_cast<size_t>(put);
    }
    return Status::Ok();
}

} // namespace

AudioFileWriter::AudioFileWriter() = default;
AudioFileWriter::~AudioFileWriter() = default;

Status AudioFileWriter::Open(const std::string& name, int format, int channelCount, double rate,
                             std::int64_t frames) {
    file.reset();
    path = name;
    channels = channelCount;
    clipped = 0;
    peak = 0;
    if (Status s = CheckWritable(path, format, channels, rate); !s)
        return s;
    file = std::make_unique<File>();
    File& f = *file;
    f.encoding = format::Encoding(format);
    f.expected = static_cast<std::uint64_t>(std::max<std::int64_t>(frames, 0));
    if (Status s = WavHeader(channels, rate, f.encoding, f.expected, path, f.bytes); !s)
        return s;
    f.bytes.reserve(kFlushBytes + f.bytes.size());
    return f.pending.Open(path);
}

Status AudioFileWriter::Write(const double* const* samples, int frames) {
    File& f = *file;
    if (f.written + static_cast<std::uint64_t>(frames) > f.expected)
        return Status::Fail("error writing '" + path + "': more frames than its header holds");
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < frames; ++i)
            peak = std::max(peak, std::fabs(samples[c][i]));
    const size_t before = f.bytes.size();
    EncodeWavFrames(samples, channels, static_cast<size_t>(frames), f.encoding, f.bytes, clipped);
    f.written += static_cast<std::uint64_t>(frames);
    f.dataBytes += f.bytes.size() - before;
    if (f.bytes.size() < kFlushBytes)
        return Status::Ok();
    const Status s = WriteAll(f.pending.Descriptor(), f.bytes, path);
    f.bytes.clear();
    return s;
}

Status AudioFileWriter::Commit() {
    File& f = *file;
    if (f.written != f.expected)
        return Status::Fail("error writing '" + path + "': the file could not be completed");
    // The data chunk is padded to an even length.
    if (f.dataBytes & 1)
        f.bytes.push_back(0);
    if (Status s = WriteAll(f.pending.Descriptor(), f.bytes, path); !s)
        return s;
    return f.pending.Commit();
}

} // namespace plughost
