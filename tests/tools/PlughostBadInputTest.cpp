// Every kind of bad input ends in one line on stderr naming the problem and a non-zero exit,
// and an output file that already exists stays as it was.
#include "tests/tools/PlughostTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plughost_test;

namespace {

struct BadCase {
    const char* what;
    std::vector<std::string> args; // {IN} and {OUT} are replaced by the case's files
    const char* message;
};

class PlughostBadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteWav(dir.Path("in.wav"), Noise(48000, 0.05, 0.5, 29)));
        ASSERT_TRUE(WriteWav(dir.Path("in44.wav"), Noise(44100, 0.05, 0.5, 31)));
        plughost::AudioData three = Noise(48000, 0.05, 0.5, 37);
        three.channels.push_back(three.channels[0]);
        ASSERT_TRUE(WriteWav(dir.Path("three.wav"), three));
        // Sun audio: 24-byte big-endian header (16-bit samples, 48000 Hz, one channel), silence.
        const char au[] = ".snd\0\0\0\x18\0\0\0\x08\0\0\0\x03\0\0\xbb\x80\0\0\0\x01";
        WriteFile(dir.Path("in.au"), std::string(au, sizeof au - 1) + std::string(8, '\0'));
        WriteFile(dir.Path("garbage.wav"), "this is not audio at all");
        WriteFile(dir.Path("short.state"), std::string(100, '\0'));
    }

    // Runs the case and checks message, status and the untouched output.
    void Check(const BadCase& c) {
        SCOPED_TRACE(c.what);
        const std::string out = dir.Path("out.wav");
        const std::string keep = "an earlier render that must survive";
        WriteFile(out, keep);
        std::vector<std::string> args;
        for (const std::string& a : c.args)
            args.push_back(a == "{OUT}"              ? out
                           : a.starts_with("{DIR}/") ? dir.Path(a.substr(6))
                                                     : a);
        const RunResult run = RunPlughost(args);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_LT(run.exitCode, 128) << "plughost crashed";
        EXPECT_NE(run.err.find(c.message), std::string::npos)
            << "expected '" << c.message << "' in: " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        const std::vector<std::uint8_t> after = FileContents(out);
        EXPECT_EQ(std::string(after.begin(), after.end()), keep) << "the old output was replaced";
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".plughost-"))
                << "left behind: " << entry.path();
    }

    TempDir dir;
};

TEST_F(PlughostBadInput, ParameterSettings) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    const std::string b = SorvelBundle();
    const BadCase cases[] = {
        {"a misspelt title lists close ones",
         {"render", b, "{OUT}", "--set", "HGAIN=3"},
         "unknown parameter 'HGAIN'; did you mean HGAINL, HGAINR?"},
        {"an unknown title points at info",
         {"render", b, "{OUT}", "--set", "WOBBLE=1"},
         "`plughost info BUNDLE` lists"},
        {"a text the plug-in does not take",
         {"render", b, "{OUT}", "--set", "HGAINL=loud"},
         "does not accept 'loud' for HGAINL"},
        {"a value beyond the range",
         {"render", b, "{OUT}", "--set", "HGAINL=40"},
         "HGAINL=40 is outside the parameter's range -18.00 to 18.00"},
        {"a normalised value beyond 1",
         {"render", b, "{OUT}", "--set", "DRIVE=@1.5"},
         "a normalised value is a number from 0 to 1"},
        {"a list value the plug-in refuses",
         {"render", b, "{OUT}", "--set", "Bypass=maybe"},
         "does not accept 'maybe' for Bypass"},
        {"no value", {"render", b, "{OUT}", "--set", "MS="}, "needs a value"},
    };
    for (const BadCase& c : cases)
        Check(c);
}

TEST_F(PlughostBadInput, FilesAndRates) {
    if (SorvelBundle().empty())
        GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    const std::string b = SorvelBundle();
    const BadCase cases[] = {
        {"a missing input", {"render", b, "{DIR}/none.wav", "{OUT}"}, "cannot read audio file"},
        {"an input that is not audio",
         {"render", b, "{DIR}/garbage.wav", "{OUT}"},
         "cannot read audio file"},
        {"a container plughost does not read",
         {"render", b, "{DIR}/in.au", "{OUT}"},
         "unsupported audio file"},
        {"more channels than the plug-in takes",
         {"render", b, "{DIR}/three.wav", "{OUT}"},
         "the input has 3 channels but the plug-in takes at most 2 channels"},
        {"a rate that differs from the input's",
         {"render", b, "{DIR}/in.wav", "{OUT}", "--rate", "44100"},
         "does not resample"},
        {"a state the plug-in refuses",
         {"render", b, "{OUT}", "--state", "{DIR}/short.state"},
         "refused the state"},
        {"a missing state", {"render", b, "{OUT}", "--state", "{DIR}/none.state"}, "cannot read"},
        {"an unknown container",
         {"render", b, "{OUT}", "--format", "au"},
         "--format takes wav, flac, aiff, ogg or mp3"},
        {"an extension plughost cannot write",
         {"render", b, "{DIR}/out.mp4"},
         "plughost writes .wav"}, // and more where the build has libsndfile
    };
    for (const BadCase& c : cases)
        Check(c);
}

TEST_F(PlughostBadInput, BundlesAndRefusals) {
    const BadCase cases[] = {
        {"a missing bundle", {"render", "{DIR}/Nothing.vst3", "{OUT}"}, "cannot load bundle"},
        {"a module without a factory",
         {"render", FixtureBundle("FixtureNoFactory"), "{OUT}"},
         "does not export GetPluginFactory"},
        {"a factory without an audio effect",
         {"render", FixtureBundle("FixtureNoEffect"), "{OUT}"},
         "has no audio effect class"},
        {"a sample rate the plug-in refuses",
         {"render", FixtureBundle("FixtureStrict"), "{DIR}/in.wav", "{OUT}"},
         "the plug-in refuses the processing set-up: 48000 Hz"},
        {"a sample size the plug-in refuses",
         {"render", FixtureBundle("FixtureStrict"), "{DIR}/in44.wav", "{OUT}", "--precision", "64"},
         "cannot process 64-bit samples"},
        {"a layout the plug-in refuses",
         {"render", FixtureBundle("FixtureStrict"), "{DIR}/three.wav", "{OUT}"},
         "takes at most 2 channels"},
        {"state dump of a refused state",
         {"state", "dump", "{DIR}/short.state", "--bundle", FixtureBundle("FixtureNoEffect")},
         "has no audio effect class"},
    };
    for (const BadCase& c : cases)
        Check(c);

    // The same fixture renders at the rate it accepts, copying its input.
    const RunResult good = RunPlughost({"render", FixtureBundle("FixtureStrict"),
                                        dir.Path("in44.wav"), dir.Path("ok.wav"), "--quiet"});
    ASSERT_EQ(good.exitCode, 0) << good.err;
    EXPECT_LT(MaxDifference(ReadAudio(dir.Path("in44.wav")), ReadAudio(dir.Path("ok.wav"))), 1e-7);
}

} // namespace
