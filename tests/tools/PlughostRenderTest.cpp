// Renders through the real Sorvel bundle with the built plughost, as a user would.
#include "tests/tools/PlughostTestSupport.h"
#include "tools/plughost/Utf8Path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace plughost_test;

namespace {

class PlughostRender : public ::testing::Test {
  protected:
    void SetUp() override {
        if (SorvelBundle().empty())
            GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    }

    // Renders `input` (a file in the temp folder) with extra arguments; the output as read back.
    plughost::AudioData Render(const std::string& input, const std::string& output,
                               std::vector<std::string> extra) {
        std::vector<std::string> args{"render", SorvelBundle(), input, output, "--quiet"};
        args.insert(args.end(), extra.begin(), extra.end());
        const RunResult run = RunPlughost(args);
        EXPECT_EQ(run.exitCode, 0) << "plughost " << args[4] << " failed: " << run.err;
        return ReadAudio(output);
    }

    TempDir dir;
};

TEST_F(PlughostRender, BuiltInSignalRendersAtTheDefaultOrGivenRate) {
    const RunResult run = RunPlughost({"render", SorvelBundle(), dir.Path("out.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("peak"), std::string::npos) << "no summary line: " << run.out;
    EXPECT_EQ(run.err, "") << "stderr is no terminal: no progress bar, no warnings";
    const plughost::AudioData out = ReadAudio(dir.Path("out.wav"));
    ASSERT_EQ(out.ChannelCount(), 2);
    EXPECT_EQ(out.sampleRate, 48000);
    EXPECT_EQ(out.FrameCount(), 4 * 48000);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c == 0 ? "left" : "right");
        // The signal peaks at -6 dBFS; the equaliser at its defaults stays close to unity.
        EXPECT_GT(Peak(out.channels[c]), 0.35);
        EXPECT_LT(Peak(out.channels[c]), 0.7);
    }

    // FLAC where the build writes it (not the WAV-only Windows build).
    const std::string at44Path = dir.Path(
        plughost::CheckWritable("", plughost::format::kFlac | plughost::format::kPcm24, 2, 44100)
            ? "44.flac"
            : "44.wav");
    const RunResult at44 =
        RunPlughost({"render", SorvelBundle(), at44Path, "--rate", "44100", "--quiet"});
    ASSERT_EQ(at44.exitCode, 0) << at44.err;
    const plughost::AudioData written = ReadAudio(at44Path);
    EXPECT_EQ(written.sampleRate, 44100);
    EXPECT_EQ(written.FrameCount(), 4 * 44100);
}

TEST_F(PlughostRender, BypassSwitchPassesTheInputThroughUnchanged) {
    ASSERT_TRUE(WriteWav(dir.Path("in.wav"), Noise(48000, 0.5, 0.9, 7)));
    const plughost::AudioData in = ReadAudio(dir.Path("in.wav"));
    const plughost::AudioData out =
        Render(dir.Path("in.wav"), dir.Path("out.wav"), {"--set", "BY=1", "--precision", "64"});
    EXPECT_EQ(MaxDifference(in, out), 0.0) << "BY=1 must copy the input sample for sample";
}

TEST_F(PlughostRender, FullScaleSineAtDefaultsPeaksJustAboveFullScale) {
    ASSERT_TRUE(WriteWav(dir.Path("sine.wav"), Sine(48000, 0.5, 1000, 1.0, 2)));
    const plughost::AudioData out = Render(dir.Path("sine.wav"), dir.Path("out.wav"), {});
    ASSERT_EQ(out.ChannelCount(), 2);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c == 0 ? "left" : "right");
        // Past the first 0.1 s, where the low cut and the oversamplers settle.
        EXPECT_NEAR(Peak(out.channels[c], 4800), 1.002, 0.004);
    }
}

TEST_F(PlughostRender, LinkAndMidSideSwitches) {
    ASSERT_TRUE(WriteWav(dir.Path("noise.wav"), Noise(48000, 0.3, 0.3, 11)));
    const plughost::AudioData plain = Render(dir.Path("noise.wav"), dir.Path("plain.wav"), {});

    {
        SCOPED_TRACE(
            "LINK 0: the right high band follows the left one, so HGAINR alone is ignored");
        const plughost::AudioData out =
            Render(dir.Path("noise.wav"), dir.Path("linked.wav"), {"--set", "HGAINR=12"});
        EXPECT_LT(MaxDifference(plain, out), 1e-6);
    }
    {
        SCOPED_TRACE("LINK 1: HGAINR changes the right channel only");
        const plughost::AudioData out = Render(dir.Path("noise.wav"), dir.Path("unlinked.wav"),
                                               {"--set", "LINK=1", "--set", "HGAINR=12"});
        ASSERT_EQ(out.ChannelCount(), 2);
        double left = 0;
        double right = 0;
        for (size_t i = 0; i < out.channels[0].size(); ++i) {
            left = std::max(left, std::fabs(out.channels[0][i] - plain.channels[0][i]));
            right = std::max(right, std::fabs(out.channels[1][i] - plain.channels[1][i]));
        }
        EXPECT_LT(left, 1e-6);
        EXPECT_GT(right, 0.05);
    }
    {
        SCOPED_TRACE("MS 0 with identical channels: the side stays near silent");
        plughost::AudioData mono = Noise(48000, 0.3, 0.3, 13);
        mono.channels[1] = mono.channels[0];
        ASSERT_TRUE(WriteWav(dir.Path("same.wav"), mono));
        const plughost::AudioData out =
            Render(dir.Path("same.wav"), dir.Path("ms.wav"),
                   {"--set", "MS=0", "--set", "HGAINL=9", "--set", "LGAINL=-6"});
        ASSERT_EQ(out.ChannelCount(), 2);
        std::vector<double> side(out.channels[0].size());
        for (size_t i = 0; i < side.size(); ++i)
            side[i] = out.channels[0][i] - out.channels[1][i];
        EXPECT_LT(Peak(side), 1e-4 * Peak(out.channels[0]));
        EXPECT_GT(Peak(out.channels[0]), 0.1);
    }
}

TEST_F(PlughostRender, SampleSizesAndBlockSizesAgree) {
    ASSERT_TRUE(WriteWav(dir.Path("in.wav"), Noise(48000, 0.2, 0.5, 17)));
    const std::vector<std::string> settings{"--set",      "HGAINL=4.5", "--set",
                                            "MGAIN2L=-3", "--set",      "DRIVE=-30"};
    auto with = [&](std::vector<std::string> extra) {
        extra.insert(extra.end(), settings.begin(), settings.end());
        return extra;
    };
    const plughost::AudioData reference =
        Render(dir.Path("in.wav"), dir.Path("ref.wav"), with({"--precision", "64"}));
    ASSERT_EQ(reference.ChannelCount(), 2);
    {
        SCOPED_TRACE("32-bit samples differ from 64-bit ones only by single-precision rounding");
        const plughost::AudioData single =
            Render(dir.Path("in.wav"), dir.Path("single.wav"), with({"--precision", "32"}));
        EXPECT_LT(MaxDifference(reference, single), 1e-6);
    }
    for (const char* block : {"1", "37", "512", "4096"}) {
        SCOPED_TRACE(std::string("block size ") + block);
        const plughost::AudioData out = Render(dir.Path("in.wav"), dir.Path("block.wav"),
                                               with({"--precision", "64", "--block", block}));
        EXPECT_LT(MaxDifference(reference, out), 1e-12);
    }
}

TEST_F(PlughostRender, MonoInputIsFedToBothChannelsAndWrittenAsStereo) {
    plughost::AudioData mono = Noise(44100, 0.2, 0.5, 19);
    mono.channels.resize(1);
    ASSERT_TRUE(WriteWav(dir.Path("mono.wav"), mono));
    const plughost::AudioData out =
        Render(dir.Path("mono.wav"), dir.Path("out.wav"), {"--set", "BY=1", "--precision", "64"});
    ASSERT_EQ(out.ChannelCount(), 2);
    EXPECT_EQ(out.sampleRate, 44100);
    EXPECT_EQ(out.channels[0], mono.channels[0]);
    EXPECT_EQ(out.channels[1], mono.channels[0]);
}

TEST_F(PlughostRender, PathsBeyondAsciiReachTheBundleAndFilesTheyName) {
    // Windows hands programs their arguments in the ANSI code page unless asked for the wide
    // command line, and opens narrow paths in it too.
    const std::string folder = dir.Path("K\xC3\xB6ln \xE2\x99\xAB \xE6\x9D\xB1\xE4\xBA\xAC");
    ASSERT_TRUE(std::filesystem::create_directory(plughost::PathFromUtf8(folder)));
    const std::string in = folder + "/\xC3\xA9t\xC3\xA9.wav";
    const std::string out = folder + "/\xCE\xA9 out.wav";
    const std::string state = folder + "/\xC3\xBC.state";
    const std::string bundle = folder + "/Sorvel.vst3";
    ASSERT_TRUE(WriteWav(in, Noise(48000, 0.05, 0.5, 43)));
    std::error_code ec;
    std::filesystem::copy(plughost::PathFromUtf8(SorvelBundle()), plughost::PathFromUtf8(bundle),
                          std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    const RunResult run = RunPlughost({"render", bundle, in, out, "--quiet", "--set", "BY=1",
                                       "--precision", "64", "--save-state", state});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(out), std::string::npos) << "the summary names the file: " << run.out;
    EXPECT_EQ(MaxDifference(ReadAudio(in), ReadAudio(out)), 0.0);
    EXPECT_EQ(FileContents(state).size(), 268u);
}

} // namespace
