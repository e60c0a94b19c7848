// wavcompare: the measuring half of the cross-system check (tools/cross-system-check.sh).
//   wavcompare noise OUT [pcm24]    writes one second of stereo noise as a 64-bit float WAV
//                                   (or as 24-bit PCM)
//   wavcompare diff A B TOLERANCE   prints the largest sample difference of two files; exits 1
//                                   when it exceeds TOLERANCE, 2 when the files cannot be compared
#include "tools/plughost/AudioFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace plughost;

namespace {

int WriteNoise(const std::string& path, int encoding) {
    AudioData audio;
    audio.sampleRate = 44100;
    audio.channels.assign(2, std::vector<double>(44100));
    std::uint32_t state = 0x9E3779B9u;
    for (auto& channel : audio.channels)
        for (double& v : channel) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            v = 0.7 * (static_cast<double>(state) / 2147483648.0 - 1.0);
        }
    WriteReport report;
    if (Status s = WriteAudioFileAtomically(path, audio, format::kWav | encoding, report); !s) {
        std::fprintf(stderr, "wavcompare: %s\n", s.message().c_str());
        return 2;
    }
    return 0;
}

int Diff(const std::string& a, const std::string& b, double tolerance) {
    AudioData left;
    AudioData right;
    for (auto [path, audio] : {std::pair{&a, &left}, std::pair{&b, &right}})
        if (Status s = ReadAudioFile(*path, *audio); !s) {
            std::fprintf(stderr, "wavcompare: %s\n", s.message().c_str());
            return 2;
        }
    if (left.ChannelCount() != right.ChannelCount() || left.FrameCount() != right.FrameCount() ||
        left.sampleRate != right.sampleRate) {
        std::printf("different shapes: %d x %lld at %g Hz against %d x %lld at %g Hz\n",
                    left.ChannelCount(), static_cast<long long>(left.FrameCount()), left.sampleRate,
                    right.ChannelCount(), static_cast<long long>(right.FrameCount()),
                    right.sampleRate);
        return 2;
    }
    double worst = 0;
    double worstRelative = 0;
    std::int64_t differing = 0;
    std::int64_t total = 0;
    for (size_t c = 0; c < left.channels.size(); ++c)
        for (size_t i = 0; i < left.channels[c].size(); ++i) {
            const double x = left.channels[c][i];
            const double y = right.channels[c][i];
            ++total;
            if (std::memcmp(&x, &y, sizeof x) == 0)
                continue;
            ++differing;
            const double d = std::fabs(x - y);
            worst = std::max(worst, d);
            if (std::fabs(x) > 1e-3)
                worstRelative = std::max(worstRelative, d / std::fabs(x));
        }
    if (differing == 0)
        std::printf("bit-identical (%lld samples)\n", static_cast<long long>(total));
    else
        std::printf("max abs difference %.3g (relative %.3g), %lld of %lld samples differ\n", worst,
                    worstRelative, static_cast<long long>(differing),
                    static_cast<long long>(total));
    return worst <= tolerance ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if ((argc == 3 || (argc == 4 && std::strcmp(argv[3], "pcm24") == 0)) &&
        std::strcmp(argv[1], "noise") == 0)
        return WriteNoise(argv[2], argc == 4 ? format::kPcm24 : format::kDouble);
    if (argc == 5 && std::strcmp(argv[1], "diff") == 0)
        return Diff(argv[2], argv[3], std::strtod(argv[4], nullptr));
    std::fputs("usage: wavcompare noise OUT [pcm24] | wavcompare diff A B TOLERANCE\n", stderr);
    return 2;
}
