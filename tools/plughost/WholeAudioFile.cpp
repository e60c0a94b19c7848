// Whole files in memory, for callers that need every sample at once; renders stream instead.
#include "tools/plughost/AudioFile.h"
#include "tools/plughost/AudioFileReader.h"
#include "tools/plughost/AudioFileWriter.h"

#include <algorithm>

namespace plughost {

namespace {

constexpr int kChunkFrames = 4096;

} // namespace

Status ReadAudioFile(const std::string& path, AudioData& out) {
    out = {};
    AudioFileReader reader;
    if (Status s = reader.Open(path); !s)
        return s;
    out.sampleRate = reader.SampleRate();
    out.sourceFormat = reader.SourceFormat();
    out.channels.assign(static_cast<size_t>(reader.ChannelCount()), {});
    for (auto& channel : out.channels)
        channel.reserve(static_cast<size_t>(std::min<std::int64_t>(reader.FrameCount(), 1 << 24)));
    std::vector<double*> pointers(out.channels.size());
    for (std::int64_t at = 0;; at += kChunkFrames) {
        for (size_t c = 0; c < out.channels.size(); ++c) {
            out.channels[c].resize(static_cast<size_t>(at + kChunkFrames));
            pointers[c] = out.channels[c].data() + at;
        }
        int got = 0;
        if (Status s = reader.Read(pointers.data(), kChunkFrames, got); !s)
            return s;
        if (got < kChunkFrames) {
            for (auto& channel : out.channels)
                channel.resize(static_cast<size_t>(at + got));
            return Status::Ok();
        }
    }
}

Status WriteAudioFileAtomically(const std::string& path, const AudioData& audio, int format,
                                WriteReport& report) {
    report = {};
    AudioFileWriter writer;
    if (Status s =
            writer.Open(path, format, audio.ChannelCount(), audio.sampleRate, audio.FrameCount());
        !s)
        return s;
    std::vector<const double*> pointers(audio.channels.size());
    for (std::int64_t at = 0; at < audio.FrameCount(); at += kChunkFrames) {
        for (size_t c = 0; c < pointers.size(); ++c)
            pointers[c] = audio.channels[c].data() + at;
        const auto count =
            static_cast<int>(std::min<std::int64_t>(kChunkFrames, audio.FrameCount() - at));
        if (Status s = writer.Write(pointers.data(), count); !s)
            return s;
    }
    report.clippedSamples = writer.ClippedSamples();
    return writer.Commit();
}

} // namespace plughost
