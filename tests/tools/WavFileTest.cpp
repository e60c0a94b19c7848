// The WAV codec of builds without libsndfile. Where libsndfile is present, ReadAudioFile and
// WriteAudioFileAtomically are libsndfile's, so the round trips below check the codec against
// an independent reader and writer.
#include "tools/plughost/WavFile.h"
#include "tests/tools/PlughostTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace plughost;
using namespace plughost_test;

namespace {

// Noise that also reaches beyond full scale, so integer encodings must clip.
AudioData LoudNoise(int channels) {
    AudioData audio = Noise(44100, 0.01, 1.3, 5);
    audio.channels.resize(static_cast<size_t>(channels), audio.channels[0]);
    return audio;
}

TEST(WavFile, EveryEncodingRoundTripsThroughTheOtherReaderAndWriter) {
    TempDir dir;
    const struct {
        int encoding;
        double step; // one step of the encoding: full scale clips one below 1.0
    } encodings[] = {{format::kPcmU8, 0x1p-7},  {format::kPcm16, 0x1p-15},
                     {format::kPcm24, 0x1p-23}, {format::kPcm32, 0x1p-31},
                     {format::kFloat, 1e-7},    {format::kDouble, 0}};
    for (const auto& e : encodings)
        for (int channels : {1, 2, 3}) {
            SCOPED_TRACE("encoding " + std::to_string(e.encoding) + ", " +
                         std::to_string(channels) + " channels");
            const AudioData audio = LoudNoise(channels);
            std::vector<std::uint8_t> bytes;
            WriteReport report;
            ASSERT_TRUE(EncodeWav(audio, e.encoding, "x.wav", bytes, report));
            AudioData decoded;
            ASSERT_TRUE(DecodeWav(bytes, "x.wav", decoded));
            EXPECT_EQ(decoded.sourceFormat, format::kWav | e.encoding);
            EXPECT_EQ(decoded.sampleRate, 44100);
            ASSERT_EQ(decoded.ChannelCount(), channels);
            ASSERT_EQ(decoded.FrameCount(), audio.FrameCount());
            const bool integer = format::IsInteger(e.encoding);
            std::int64_t beyond = 0;
            for (int c = 0; c < channels; ++c)
                for (size_t i = 0; i < audio.channels[0].size(); ++i) {
                    const double v = audio.channels[c][i];
                    beyond += std::fabs(v) > 1.0;
                    const double expected = integer ? std::clamp(v, -1.0, 1.0) : v;
                    ASSERT_NEAR(decoded.channels[c][i], expected, e.step)
                        << "channel " << c << " frame " << i;
                }
            EXPECT_EQ(report.clippedSamples, integer ? beyond : 0);

            WriteFile(dir.Path("ours.wav"), std::string(bytes.begin(), bytes.end()));
            EXPECT_EQ(MaxDifference(ReadAudio(dir.Path("ours.wav")), decoded), 0.0)
                << "the system's reader sees other samples";
            if (e.encoding == format::kPcmU8)
                continue; // only WAV takes unsigned bytes; the other writer may not offer them
            WriteReport theirs;
            ASSERT_TRUE(WriteAudioFileAtomically(dir.Path("theirs.wav"), audio,
                                                 format::kWav | e.encoding, theirs));
            const std::vector<std::uint8_t> written = FileContents(dir.Path("theirs.wav"));
            AudioData reread;
            ASSERT_TRUE(DecodeWav(written, "theirs.wav", reread));
            EXPECT_EQ(MaxDifference(reread, decoded), 0.0)
                << "the system's writer rounds otherwise";
        }
}

TEST(WavFile, DamagedAndForeignFilesFailWithAReasonOrKeepWholeFrames) {
    std::vector<std::uint8_t> good;
    WriteReport report;
    ASSERT_TRUE(EncodeWav(LoudNoise(2), format::kPcm24, "x.wav", good, report));
    {
        SCOPED_TRACE("every truncation");
        for (size_t size = 0; size < good.size(); size += 7) {
            AudioData out;
            const std::vector<std::uint8_t> cut(good.begin(), good.begin() + size);
            if (DecodeWav(cut, "x.wav", out)) {
                EXPECT_EQ(out.FrameCount(), static_cast<std::int64_t>((size - 44) / 6)) << size;
                EXPECT_EQ(out.ChannelCount(), 2);
            }
        }
    }
    {
        SCOPED_TRACE("an odd-sized chunk before the format, and an extensible float header");
        // RIFF, an odd 3-byte chunk and its pad byte, a 40-byte extensible format naming
        // float in its sub-format (two channels of 32 bits at 44100 Hz), two frames.
        const std::string file(
            "RIFF\0\0\0\0WAVE"
            "junk\x03\0\0\0abc\0"
            "fmt \x28\0\0\0\xFE\xFF\x02\0\x44\xAC\0\0\x20\x62\x05\0\x08\0\x20\0"
            "\x16\0\x20\0\x03\0\0\0\x03\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71"
            "data\x10\0\0\0"
            "\0\0\0\x3F\0\0\0\0"
            "\0\0\x80\xBF\0\0\0\0",
            12 + 12 + 48 + 8 + 16);
        const std::vector<std::uint8_t> bytes(file.begin(), file.end());
        AudioData out;
        ASSERT_TRUE(DecodeWav(bytes, "x.wav", out)) << DecodeWav(bytes, "x.wav", out).message();
        ASSERT_EQ(out.FrameCount(), 2);
        EXPECT_EQ(out.channels[0][0], 0.5);
        EXPECT_EQ(out.channels[0][1], -1.0);
        EXPECT_EQ(out.sourceFormat, format::kWav | format::kFloat);
    }
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    } refusals[] = {
        {"FLAC", {'f', 'L', 'a', 'C', 0, 0, 0, 34}, "unsupported audio file 'x': it is FLAC"},
        {"text", {'h', 'e', 'l', 'l', 'o'}, "cannot read audio file 'x': not a WAV file"},
        {"ADPCM",
         [&] {
             std::vector<std::uint8_t> b = good;
             b[20] = 2;
             return b;
         }(),
         "unsupported audio file 'x': WAV encoding 2 is not PCM or float"},
    };
    for (const auto& r : refusals) {
        AudioData out;
        const Status s = DecodeWav(r.bytes, "x", out);
        EXPECT_FALSE(s) << r.what;
        EXPECT_NE(s.message().find(r.message), std::string::npos) << r.what << ": " << s.message();
    }
}

} // namespace
