#include "tools/plughost/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plughost {

namespace {

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

} // namespace plughost
