// Reading and writing audio files: which format a render is written in, and that a file is
// either written whole or not at all.
#include "tools/plughost/AudioFile.h"
#include "tests/tools/PlughostTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace plughost;
using namespace plughost_test;

namespace {

TEST(AudioFile, OutputFormatFollowsRequestThenExtensionThenSource) {
    const int pcm16Wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const int doubleWav = SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
    struct Case {
        const char* what;
        int requested;
        const char* out;
        int source;
        int expected;
    };
    const Case cases[] = {
        {"same container keeps the encoding", 0, "out.wav", pcm16Wav, pcm16Wav},
        {"an extension plughost cannot write is refused", 0, "out.raw", pcm16Wav, 0},
        {"OGG is Vorbis", 0, "out.OGG", pcm16Wav, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {"the extension picks the container", 0, "out.flac", pcm16Wav,
         SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"FLAC cannot hold doubles: 24-bit", 0, "out.flac", doubleWav,
         SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {"a request beats the extension", SF_FORMAT_AIFF, "out.wav", doubleWav,
         SF_FORMAT_AIFF | SF_FORMAT_DOUBLE},
        {"made in memory: 32-bit float", 0, "out.aif", 0, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {"nothing known: float WAV", 0, "out", 0, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseOutputFormat(c.requested, c.out, c.source), c.expected) << c.what;
}

TEST(AudioFile, LossyContainersAreWrittenAsNamedOrRefusedWithTheList) {
    TempDir dir;
    // Beyond full scale: both encoders keep such samples, and nothing is reported clipped.
    const AudioData audio = Sine(44100, 0.5, 1000, 1.5, 2);
    for (const char* name : {"out.ogg", "out.mp3"}) {
        SCOPED_TRACE(name);
        const int format = ChooseOutputFormat(0, dir.Path(name), 0);
        ASSERT_TRUE(CheckWritable(name, format, 2, 44100).ok());
        WriteReport report;
        ASSERT_TRUE(WriteAudioFileAtomically(dir.Path(name), audio, format, report).ok());
        EXPECT_EQ(report.clippedSamples, 0);
        SF_INFO info{};
        SNDFILE* file = sf_open(dir.Path(name).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, format & SF_FORMAT_TYPEMASK);
        std::vector<double> samples(static_cast<size_t>(info.frames * info.channels));
        sf_readf_double(file, samples.data(), info.frames);
        sf_close(file);
        EXPECT_NEAR(Peak(samples), 1.5, 0.15) << "the sine survives the encoder";
    }
    const Status refused = CheckWritable("out.mp4", ChooseOutputFormat(0, "out.mp4", 0), 2, 44100);
    EXPECT_NE(refused.message().find("plughost writes .wav, .flac, .aiff, .ogg"), std::string::npos)
        << refused.message();
}

TEST(AudioFile, IntegerEncodingsClipInsteadOfWrapping) {
    TempDir dir;
    AudioData loud = Sine(48000, 0.01, 1000, 1.5, 1);
    WriteReport report;
    ASSERT_TRUE(WriteAudioFileAtomically(dir.Path("loud.wav"), loud,
                                         SF_FORMAT_WAV | SF_FORMAT_PCM_16, report));
    EXPECT_GT(report.clippedSamples, 0);
    const AudioData back = ReadAudio(dir.Path("loud.wav"));
    ASSERT_EQ(back.FrameCount(), loud.FrameCount());
    for (size_t i = 0; i < loud.channels[0].size(); ++i) {
        if (loud.channels[0][i] > 1.0) {
            ASSERT_GT(back.channels[0][i], 0.99) << "sample " << i << " wrapped around";
        }
    }
}

TEST(AudioFile, FailedWriteLeavesNothingBehind) {
    TempDir dir;
    const AudioData audio = Sine(48000, 0.01, 1000, 0.5, 2);
    WriteReport report;
    {
        SCOPED_TRACE("a folder that does not exist");
        EXPECT_FALSE(WriteAudioFileAtomically(dir.Path("missing/out.wav"), audio,
                                              SF_FORMAT_WAV | SF_FORMAT_FLOAT, report));
    }
    {
        SCOPED_TRACE("a format that cannot hold the audio keeps the old file");
        WriteFile(dir.Path("old.flac"), "old");
        AudioData fast = audio;
        fast.sampleRate = 1000000;
        EXPECT_FALSE(WriteAudioFileAtomically(dir.Path("old.flac"), fast,
                                              SF_FORMAT_FLAC | SF_FORMAT_PCM_16, report));
        const std::vector<std::uint8_t> old = FileContents(dir.Path("old.flac"));
        EXPECT_EQ(std::string(old.begin(), old.end()), "old");
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        ++entries;
    EXPECT_EQ(entries, 1) << "a temporary file was left in the folder";
}

TEST(AudioFile, RenderThatCannotBeWrittenFailsInOneLineAndLeavesNoOutput) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    TempDir dir;
    ASSERT_TRUE(WriteWav(dir.Path("in.wav"), Noise(48000, 1, 0.5, 37)));
    // The disk fills up mid-render: files plughost writes may not grow past 64 KiB, and the
    // signal that would end it is ignored, so its write fails instead.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const RunResult run =
        RunPlughost({"render", SorvelBundle(), dir.Path("in.wav"), dir.Path("out.wav"), "--quiet"});
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err.rfind("plughost: error writing '" + dir.Path("out.wav") + "'", 0), 0u)
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.wav")));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        ++entries;
    EXPECT_EQ(entries, 1) << "a temporary file was left in the folder";
}

} // namespace
