#include "tools/plughost/AudioFileReader.h"

#include <algorithm>
#include <cmath>

namespace plughost {

namespace {

constexpr std::int64_t kChunkFrames = 4096;

} // namespace

Status AudioFileReader::Open(const std::string& name) {
    path = name;
    channels = 0;
    rate = 0;
    frames = position = bufferFrames = bufferAt = 0;
    sourceFormat = 0;
    if (Status s = OpenFile(); !s)
        return s;
    if (frames == 0)
        return Status::Fail("audio file '" + path + "' holds no samples");
    buffer.assign(static_cast<size_t>(kChunkFrames * channels), 0.0);
    return Status::Ok();
}

Status AudioFileReader::Read(double* const* to, int wanted, int& got) {
    got = 0;
    while (got < wanted) {
        if (bufferAt == bufferFrames) {
            std::string error;
            bufferAt = 0;
            bufferFrames = file ? ReadInterleaved(buffer.data(), kChunkFrames, error) : 0;
            if (!error.empty())
                return Status::Fail("error reading audio file '" + path + "' at frame " +
                                    std::to_string(position) + ": " + error);
            if (bufferFrames == 0) {
                if (position == 0)
                    return Status::Fail("audio file '" + path + "' holds no samples");
                if (position < frames)
                    return Status::Fail("cannot read audio file '" + path +
                                        "' to the end: it stops at frame " +
                                        std::to_string(position) + " of " + std::to_string(frames));
                return Status::Ok();
            }
        }
        const int count =
            static_cast<int>(std::min<std::int64_t>(wanted - got, bufferFrames - bufferAt));
        for (int c = 0; c < channels; ++c) {
            const double* from = buffer.data() + bufferAt * channels + c;
            double* out = to[c] + got;
            for (int i = 0; i < count; ++i) {
                const double v = from[static_cast<std::ptrdiff_t>(i) * channels];
                out[i] = std::isfinite(v) ? v : 0.0;
            }
        }
        bufferAt += count;
        position += count;
        got += count;
    }
    return Status::Ok();
}

} // namespace plughost
