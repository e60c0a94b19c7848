#pragma once

#include "tools/plughost/AudioFormat.h"
#include "tools/plughost/Status.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plughost {

// Audio held in memory as one buffer of samples per channel (full scale is 1.0).
struct AudioData {
    double sampleRate = 0;
    std::vector<std::vector<double>> channels;
    // The format word (AudioFormat.h) of the file it came from; 0 for audio made in memory.
    int sourceFormat = 0;

    int ChannelCount() const { return static_cast<int>(channels.size()); }
    std::int64_t FrameCount() const {
        return channels.empty() ? 0 : static_cast<std::int64_t>(channels[0].size());
    }
};

// Reads a whole file through AudioFileReader, which says what it reads.
Status ReadAudioFile(const std::string& path, AudioData& out);

// True for the containers (AudioFormat.h) this build reads.
bool IsReadableContainer(int container);

// The complete format to write: the container is the requested one, else the one the output
// name's extension names, else the source's, else WAV. The source's sample encoding is kept
// when the container can hold it; otherwise 32-bit float (24-bit integer for FLAC, Vorbis for
// OGG, layer III for MP3). 0 when the extension names a container this build cannot write:
// a file is never written in another container than its name says.
int ChooseOutputFormat(int requestedContainer, const std::string& outPath, int sourceFormat);

// Refuses a format that cannot hold `channels` at `rate`, before any time is spent rendering;
// format 0 is refused with the list of extensions the build writes.
Status CheckWritable(const std::string& path, int format, int channels, double rate);

struct WriteReport {
    // Samples beyond full scale that an integer encoding had to clip.
    std::int64_t clippedSamples = 0;
};

// Writes all of `audio` through AudioFileWriter: beside `path` under a temporary name, renamed
// into place only once every frame is on disk.
Status WriteAudioFileAtomically(const std::string& path, const AudioData& audio, int format,
                                WriteReport& report);

} // namespace plughost
