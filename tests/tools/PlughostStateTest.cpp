// Saved states: what --save-state writes, what `state dump` shows of it, and that --state
// brings back the same settings and the same sound.
#include "tests/tools/NoiseRenderTest.h"

#include <gtest/gtest.h>

using namespace plughost_test;

namespace {

class PlughostState : public NoiseRenderTest {
  protected:
    PlughostState() : NoiseRenderTest(23) {}
};

TEST_F(PlughostState, SavedStateLoadsBackToTheSameValuesAndSound) {
    const RunResult first = Render("first.wav", {"--set", "HGAINL=3.5", "--set", "LINK=1", "--set",
                                                 "MS=0", "--set", "DRIVE=-27.25", "--set", "#32=1",
                                                 "--save-state", dir.Path("first.state")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::vector<std::uint8_t> saved = FileContents(dir.Path("first.state"));
    ASSERT_EQ(saved.size(), 8u * 33 + 4) << "one double per parameter and the bypass flag";

    {
        SCOPED_TRACE("state dump shows the values as the plug-in displays them");
        const RunResult dump =
            RunPlughost({"state", "dump", dir.Path("first.state"), "--bundle", SorvelBundle()});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        for (const char* line :
             {"268 bytes", "Bypass    0", "HGAINL           3.50 %", "LINK             1",
              "MS               0", "DRIVE            -27.25 %", "OVERSAMPLING     1"})
            EXPECT_NE(dump.out.find(line), std::string::npos) << "missing '" << line << "' in\n"
                                                              << dump.out;
    }
    {
        SCOPED_TRACE("--state restores the render and saves the identical state again");
        const RunResult second = Render("second.wav", {"--state", dir.Path("first.state"),
                                                       "--save-state", dir.Path("second.state")});
        ASSERT_EQ(second.exitCode, 0) << second.err;
        EXPECT_EQ(
            MaxDifference(ReadAudio(dir.Path("first.wav")), ReadAudio(dir.Path("second.wav"))),
            0.0);
        EXPECT_EQ(FileContents(dir.Path("second.state")), saved);
    }
}

TEST_F(PlughostState, HostBypassSurvivesTheStateRoundTrip) {
    const RunResult bypassed = Render("bypassed.wav", {"--set", "Bypass=on", "--set", "HGAINL=9",
                                                       "--save-state", dir.Path("bypass.state")});
    ASSERT_EQ(bypassed.exitCode, 0) << bypassed.err;
    const plughost::AudioData in = ReadAudio(dir.Path("in.wav"));
    EXPECT_EQ(MaxDifference(in, ReadAudio(dir.Path("bypassed.wav"))), 0.0);

    const std::vector<std::uint8_t> saved = FileContents(dir.Path("bypass.state"));
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.end() - 4, saved.end()),
              (std::vector<std::uint8_t>{1, 0, 0, 0}));

    // Loaded after the processing set-up, the flag is still in force for the render.
    const RunResult restored = Render("restored.wav", {"--state", dir.Path("bypass.state")});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(MaxDifference(in, ReadAudio(dir.Path("restored.wav"))), 0.0);
}

} // namespace
