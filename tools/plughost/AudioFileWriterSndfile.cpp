// Audio files through libsndfile.
#include "tools/plughost/AudioFileWriter.h"

#include "tools/plughost/AudioFormat.h"
#include "tools/plughost/BufferedDescriptor.h"
#include "tools/plughost/PcmQuantiser.h"
#include "tools/plughost/PendingFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace plughost {

namespace {

// Frames handed to the library per call, whatever the block size: every render reaches the
// encoders in the same steps.
constexpr sf_count_t kChunkFrames = 4096;

} // namespace

struct AudioFileWriter::File {
    PendingFile pending;
    std::unique_ptr<BufferedDescriptor> buffered;
    SNDFILE* handle = nullptr;
    std::vector<double> chunk; // interleaved
    sf_count_t chunkFrames = 0;
    int pcmBits = 0;
    bool countClipping = false;
    bool failed = false;
    ~File() {
        if (handle != nullptr)
            sf_close(handle);
    }
};

namespace {

// Why a write failed: the system's reason where a system call failed, else the library's.
std::string ErrorText(const BufferedDescriptor& buffered, SNDFILE* handle) {
    // Worded as the library words a failed system call, as when it wrote the file itself.
    if (buffered.Error() != 0)
        return std::string("System error : ") + std::strerror(buffered.Error()) + ".";
    return handle != nullptr ? sf_strerror(handle) : "the file could not be completed";
}

} // namespace

AudioFileWriter::AudioFileWriter() = default;
AudioFileWriter::~AudioFileWriter() = default;

Status AudioFileWriter::Open(const std::string& name, int format, int channelCount, double rate,
                             std::int64_t) {
    file.reset();
    path = name;
    channels = channelCount;
    clipped = 0;
    peak = 0;
    const double rounded = std::round(rate);
    if (channels < 1 || rounded < 1 || rounded > 2147483647.0)
        return Status::Fail("nothing to write to '" + path + "'");
    file = std::make_unique<File>();
    if (Status s = file->pending.Open(path); !s)
        return s;
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = static_cast<int>(rounded);
    info.format = format;
    file->buffered = std::make_unique<BufferedDescriptor>(file->pending.Descriptor());
    file->handle =
        sf_open_virtual(BufferedDescriptor::VirtualIo(), SFM_WRITE, &info, file->buffered.get());
    if (file->handle == nullptr)
        return Status::Fail("cannot write '" + path +
                            "' in the chosen format: " + sf_strerror(nullptr));
    // Without this libsndfile wraps samples beyond full scale around in integer encodings.
    sf_command(file->handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // Vorbis and MP3 carry samples beyond full scale: nothing is clipped there.
    const int encoding = format::Encoding(format);
    file->countClipping = format::IsInteger(encoding) && encoding != format::kVorbis &&
                          encoding != format::kMpegLayer3;
    // libsndfile rounds down when it clips; the samples arrive on the PCM grid already.
    file->pcmBits = PcmBits(encoding);
    file->chunk.assign(static_cast<size_t>(kChunkFrames * channels), 0.0);
    return Status::Ok();
}

Status AudioFileWriter::Write(const double* const* samples, int frames) {
    File& f = *file;
    for (int done = 0; done < frames;) {
        const int count =
            static_cast<int>(std::min<sf_count_t>(frames - done, kChunkFrames - f.chunkFrames));
        for (int c = 0; c < channels; ++c) {
            const double* from = samples[c] + done;
            double* to = f.chunk.data() + f.chunkFrames * channels + c;
            double channelPeak = 0;
            std::int64_t beyond = 0;
            if (f.pcmBits > 0) {
                for (int i = 0; i < count; ++i) {
                    const double v = from[i];
                    channelPeak = std::max(channelPeak, std::fabs(v));
                    beyond += std::fabs(v) > 1.0;
                    to[static_cast<std::ptrdiff_t>(i) * channels] = QuantisePcm(v, f.pcmBits);
                }
            } else {
                for (int i = 0; i < count; ++i) {
                    const double v = from[i];
                    channelPeak = std::max(channelPeak, std::fabs(v));
                    beyond += std::fabs(v) > 1.0;
                    to[static_cast<std::ptrdiff_t>(i) * channels] = v;
                }
            }
            peak = std::max(peak, channelPeak);
            if (f.countClipping)
                clipped += beyond;
        }
        done += count;
        f.chunkFrames += count;
        if (f.chunkFrames == kChunkFrames) {
            f.failed = sf_writef_double(f.handle, f.chunk.data(), kChunkFrames) != kChunkFrames ||
                       f.buffered->Error() != 0;
            f.chunkFrames = 0;
            if (f.failed)
                return Status::Fail("error writing '" + path +
                                    "': " + ErrorText(*f.buffered, f.handle));
        }
    }
    return Status::Ok();
}

Status AudioFileWriter::Commit() {
    File& f = *file;
    if (!f.failed && f.chunkFrames > 0)
        f.failed = sf_writef_double(f.handle, f.chunk.data(), f.chunkFrames) != f.chunkFrames;
    std::string writeError = f.failed ? ErrorText(*f.buffered, f.handle) : "";
    // The library writes its header on closing, into the buffer: flushed after it.
    const bool closed = sf_close(f.handle) == 0;
    f.handle = nullptr;
    if (!f.buffered->Flush() && !f.failed) {
        f.failed = true;
        writeError = ErrorText(*f.buffered, nullptr);
    }
    if (!closed || f.failed)
        return Status::Fail(
            "error writing '" + path +
            "': " + (f.failed ? writeError : std::string("the file could not be completed")));
    return f.pending.Commit();
}

} // namespace plughost
