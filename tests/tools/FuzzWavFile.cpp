// libFuzzer over the WAV reader of builds without libsndfile: any bytes end in a result, never a
// crash; what it accepts is finite and writes back, in the encoding it came in, to the same
// samples.
#include "tools/plughost/WavFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    plughost::AudioData audio;
    if (!plughost::DecodeWav(bytes, "fuzz.wav", audio).ok())
        return 0;
    if (audio.FrameCount() < 1 || audio.sampleRate < 1)
        std::abort();
    for (const auto& channel : audio.channels) {
        if (static_cast<std::int64_t>(channel.size()) != audio.FrameCount())
            std::abort();
        for (double v : channel)
            if (!std::isfinite(v))
                std::abort();
    }
    std::vector<std::uint8_t> written;
    plughost::WriteReport report;
    plughost::AudioData again;
    if (!plughost::EncodeWav(audio, plughost::format::Encoding(audio.sourceFormat), "fuzz.wav",
                             written, report)
             .ok() ||
        !plughost::DecodeWav(written, "fuzz.wav", again).ok() || again.channels != audio.channels ||
        again.sourceFormat != audio.sourceFormat || report.clippedSamples != 0)
        std::abort();
    return 0;
}
