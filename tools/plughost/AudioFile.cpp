#include "tools/plughost/AudioFile.h"

#include "tools/plughost/PcmQuantiser.h"
#include "tools/plughost/PendingFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plughost {

namespace {

constexpr sf_count_t kChunkFrames = 4096;

static_assert(format::kWav == SF_FORMAT_WAV && format::kAiff == SF_FORMAT_AIFF &&
              format::kAu == SF_FORMAT_AU && format::kW64 == SF_FORMAT_W64 &&
              format::kWavEx == SF_FORMAT_WAVEX && format::kFlac == SF_FORMAT_FLAC &&
              format::kRf64 == SF_FORMAT_RF64);
static_assert(format::kPcmS8 == SF_FORMAT_PCM_S8 && format::kPcm16 == SF_FORMAT_PCM_16 &&
              format::kPcm24 == SF_FORMAT_PCM_24 && format::kPcm32 == SF_FORMAT_PCM_32 &&
              format::kPcmU8 == SF_FORMAT_PCM_U8 && format::kFloat == SF_FORMAT_FLOAT &&
              format::kDouble == SF_FORMAT_DOUBLE);
static_assert(format::kContainerMask == SF_FORMAT_TYPEMASK &&
              format::kEncodingMask == SF_FORMAT_SUBMASK);

bool IsReadableContainer(int container) {
    switch (container) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_RF64:
    case SF_FORMAT_W64:
    case SF_FORMAT_FLAC:
    case SF_FORMAT_AIFF:
        return true;
    default:
        return false;
    }
}

// What plughost offers to write, each with the encoding it writes there; MP3 only where the
// library was built with an encoder.
struct WritableContainer {
    const char* extension;
    int container;
};
constexpr WritableContainer kWritable[] = {
    {".wav", SF_FORMAT_WAV}, {".flac", SF_FORMAT_FLAC}, {".aiff", SF_FORMAT_AIFF},
    {".ogg", SF_FORMAT_OGG}, {".mp3", SF_FORMAT_MPEG},
};

bool IsWritableContainer(int container) {
    for (const auto& [extension, known] : kWritable)
        if (known == container) {
            SF_INFO probe{};
            probe.channels = 2;
            probe.samplerate = 48000;
            probe.format = container | (container == SF_FORMAT_OGG    ? SF_FORMAT_VORBIS
                                        : container == SF_FORMAT_MPEG ? SF_FORMAT_MPEG_LAYER_III
                                        : container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24
                                                                      : SF_FORMAT_FLOAT);
            return sf_format_check(&probe) != 0;
        }
    return false;
}

} // namespace

Status ReadAudioFile(const std::string& path, AudioData& out) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return Status::Fail("cannot read audio file '" + path + "': " + sf_strerror(nullptr));
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (!IsReadableContainer(container)) {
        sf_close(file);
        return Status::Fail("unsupported audio file '" + path +
                            "': only WAV, FLAC and AIFF are read");
    }
    if (info.channels < 1 || info.samplerate < 1) {
        sf_close(file);
        return Status::Fail("audio file '" + path + "' has no channels or no sample rate");
    }

    out.sampleRate = info.samplerate;
    out.sourceFormat = info.format;
    out.channels.assign(static_cast<size_t>(info.channels), {});
    const sf_count_t expected = std::clamp<sf_count_t>(info.frames, 0, sf_count_t{1} << 24);
    for (auto& channel : out.channels)
        channel.reserve(static_cast<size_t>(expected));
    std::vector<double> interleaved(static_cast<size_t>(kChunkFrames * info.channels));
    // The header's frame count is only a hint: read until the data ends.
    for (;;) {
        const sf_count_t got = sf_readf_double(file, interleaved.data(), kChunkFrames);
        if (got <= 0)
            break;
        for (int c = 0; c < info.channels; ++c) {
            auto& channel = out.channels[static_cast<size_t>(c)];
            for (sf_count_t i = 0; i < got; ++i) {
                const double v = interleaved[static_cast<size_t>(i * info.channels + c)];
                channel.push_back(std::isfinite(v) ? v : 0.0);
            }
        }
    }
    const int error = sf_error(file);
    sf_close(file);
    if (error != SF_ERR_NO_ERROR)
        return Status::Fail("error reading audio file '" + path + "': " + sf_error_number(error));
    if (out.FrameCount() == 0)
        return Status::Fail("audio file '" + path + "' holds no samples");
    return Status::Ok();
}

int ChooseOutputFormat(int requestedContainer, const std::string& outPath, int sourceFormat) {
    int container = requestedContainer;
    if (container == 0) {
        const std::string extension = ExtensionOf(outPath);
        container = ContainerForName(extension);
        if (!extension.empty() && !IsWritableContainer(container))
            return 0;
    }
    if (container == 0 && IsReadableContainer(sourceFormat & SF_FORMAT_TYPEMASK))
        container = sourceFormat & SF_FORMAT_TYPEMASK;
    if (container == 0)
        container = SF_FORMAT_WAV;
    if (container == SF_FORMAT_OGG || container == SF_FORMAT_MPEG)
        return container |
               (container == SF_FORMAT_OGG ? SF_FORMAT_VORBIS : SF_FORMAT_MPEG_LAYER_III);

    SF_INFO probe{};
    probe.channels = 1;
    probe.samplerate = 48000;
    probe.format = container | (sourceFormat & SF_FORMAT_SUBMASK);
    if (sourceFormat != 0 && sf_format_check(&probe))
        return probe.format;
    return container | (container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT);
}

Status CheckWritable(const std::string& path, int format, int channels, double rate) {
    if (format == 0) {
        std::string names;
        for (const auto& [extension, container] : kWritable)
            if (IsWritableContainer(container))
                names += std::string(names.empty() ? "" : ", ") + extension;
        return Status::Fail("cannot write '" + path + "': plughost writes " + names +
                            " files (named by the extension or --format)");
    }
    // The library accepts the format word at any rate but its MP3 encoder refuses higher
    // rates only once the file is opened, after the render.
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG && rate > 48000) {
        char text[160];
        std::snprintf(text, sizeof(text), "cannot write '%s': MP3 holds at most 48000 Hz, not %g",
                      path.c_str(), rate);
        return Status::Fail(text);
    }
    SF_INFO probe{};
    probe.channels = channels;
    probe.samplerate = static_cast<int>(std::lround(rate));
    probe.format = format;
    if (sf_format_check(&probe))
        return Status::Ok();
    char text[200];
    std::snprintf(text, sizeof(text),
                  "cannot write '%s': the format cannot hold %d channels at %g Hz", path.c_str(),
                  channels, rate);
    return Status::Fail(text);
}

Status WriteAudioFileAtomically(const std::string& path, const AudioData& audio, int format,
                                WriteReport& report) {
    report = {};
    const int channels = audio.ChannelCount();
    const double rate = std::round(audio.sampleRate);
    if (channels < 1 || rate < 1 || rate > 2147483647.0)
        return Status::Fail("nothing to write to '" + path + "'");

    PendingFile pending;
    if (Status s = pending.Open(path); !s)
        return s;
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = static_cast<int>(rate);
    info.format = format;
    SNDFILE* file = sf_open_fd(pending.Descriptor(), SFM_WRITE, &info, SF_FALSE);
    if (file == nullptr)
        return Status::Fail("cannot write '" + path +
                            "' in the chosen format: " + sf_strerror(nullptr));
    // Without this libsndfile wraps samples beyond full scale around in integer encodings.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // Vorbis and MP3 carry samples beyond full scale: nothing is clipped there.
    const int encoding = format::Encoding(format);
    const bool countClipping = format::IsInteger(encoding) && encoding != format::kVorbis &&
                               encoding != format::kMpegLayer3;
    // libsndfile rounds down when it clips; the samples arrive on the PCM grid already.
    const int pcmBits = PcmBits(format::Encoding(format));

    std::vector<double> interleaved(static_cast<size_t>(kChunkFrames * channels));
    const std::int64_t frames = audio.FrameCount();
    bool written = true;
    for (std::int64_t start = 0; start < frames && written; start += kChunkFrames) {
        const std::int64_t count = std::min<std::int64_t>(kChunkFrames, frames - start);
        for (int c = 0; c < channels; ++c) {
            const double* src = audio.channels[static_cast<size_t>(c)].data() + start;
            for (std::int64_t i = 0; i < count; ++i) {
                if (countClipping && std::fabs(src[i]) > 1.0)
                    ++report.clippedSamples;
                interleaved[static_cast<size_t>(i * channels + c)] =
                    pcmBits > 0 ? QuantisePcm(src[i], pcmBits) : src[i];
            }
        }
        written = sf_writef_double(file, interleaved.data(), count) == count;
    }
    const std::string writeError = written ? "" : sf_strerror(file);
    if (sf_close(file) != 0 || !written)
        return Status::Fail(
            "error writing '" + path +
            "': " + (written ? std::string("the file could not be completed") : writeError));
    return pending.Commit();
}

} // namespace plughost
