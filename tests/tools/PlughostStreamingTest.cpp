// A render streams its file through the plug-in: the output must be the very bytes a render of
// the whole file in memory gives, and a file that cannot be read to its end leaves no output.
#include "tests/tools/PlughostTestSupport.h"
#include "tools/plughost/AudioDataSink.h"
#include "tools/plughost/AudioDataSource.h"
#include "tools/plughost/ParameterSetting.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/RenderSession.h"
#include "tools/plughost/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace plughost;
using namespace plughost_test;

namespace {

// Longer than every buffer on the way (blocks, the reader's and writer's chunks, FLAC frames).
constexpr double kSeconds = 0.5;
const std::vector<std::string> kSettings{"HGAINL=7.5", "MGAIN2R=-4", "DRIVE=-20"};

// The whole input in memory, rendered in one pass through a session and written in one piece.
Status RenderWhole(const std::string& in, const std::string& out, int precision, int block) {
    AudioData input;
    if (Status s = ReadAudioFile(in, input); !s)
        return s;
    std::unique_ptr<Steinberg::Hosting::Module> module;
    PluginInstance plugin;
    if (Status s = OpenPlugin(SorvelBundle(), module, plugin); !s)
        return s;
    std::vector<ParameterChange> changes;
    if (Status s = ResolveSettings(plugin, kSettings, changes); !s)
        return s;
    AudioData output;
    RenderSession session(plugin);
    RenderSetup setup;
    setup.sampleRate = input.sampleRate;
    setup.precision = precision;
    setup.blockSize = block;
    AudioDataSource source(input);
    AudioDataSink sink(output, 2, input.sampleRate);
    ProgressBar silent(false);
    if (Status s = session.Configure(2, setup); !s)
        return s;
    if (Status s = session.Start(changes); !s)
        return s;
    if (Status s = session.Run(source, sink, silent); !s)
        return s;
    session.Stop();
    WriteReport report;
    return WriteAudioFileAtomically(out, output, ChooseOutputFormat(0, out, input.sourceFormat),
                                    report);
}

// The file's bytes, less the time of writing that libsndfile stamps into a float WAV's PEAK
// chunk.
std::vector<std::uint8_t> Contents(const std::string& path) {
    std::vector<std::uint8_t> bytes = FileContents(path);
    const char peak[] = "PEAK";
    const auto at = std::search(bytes.begin(), bytes.end(), peak, peak + 4);
    if (bytes.end() - at >= 16)
        std::fill(at + 12, at + 16, 0);
    return bytes;
}

bool FolderHoldsOnly(const std::string& folder, size_t count) {
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(plughost::PathFromUtf8(folder)))
        ++entries;
    return entries == count;
}

class PlughostStreaming : public ::testing::Test {
  protected:
    void SetUp() override {
        if (SorvelBundle().empty())
            GTEST_SKIP() << "the Sorvel bundle is not part of this build";
    }
    TempDir dir;
};

TEST_F(PlughostStreaming, OutputIsBitIdenticalToAWholeFileRender) {
    const bool flac = CheckWritable("", format::kFlac | format::kPcm24, 2, 48000).ok();
    const struct {
        int encoding;
        const char* extension;
    } cases[] = {{format::kFloat, "wav"},  {format::kDouble, "wav"}, {format::kPcm16, "wav"},
                 {format::kPcm24, "wav"},  {format::kPcm32, "wav"},  {format::kPcmU8, "wav"},
                 {format::kPcm24, "flac"}, {format::kDouble, "flac"}};
    const AudioData noise = Noise(48000, kSeconds, 1.2, 29);
    for (const auto& c : cases) {
        if (std::string(c.extension) == "flac" && !flac)
            continue;
        WriteReport report;
        const std::string in = dir.Path("in.wav");
        ASSERT_TRUE(WriteAudioFileAtomically(in, noise, format::kWav | c.encoding, report));
        for (int precision : {32, 64}) {
            const std::string name = std::to_string(c.encoding) + "-" + std::to_string(precision);
            SCOPED_TRACE(name + " to " + c.extension);
            const std::string whole = dir.Path("whole." + std::string(c.extension));
            const std::string streamed = dir.Path("streamed." + std::string(c.extension));
            const Status s = RenderWhole(in, whole, precision, 1000);
            ASSERT_TRUE(s) << s.message();
            std::vector<std::string> args{"render",
                                          SorvelBundle(),
                                          in,
                                          streamed,
                                          "--quiet",
                                          "--precision",
                                          std::to_string(precision),
                                          "--block",
                                          "1000"};
            for (const std::string& setting : kSettings)
                args.insert(args.end(), {"--set", setting});
            const RunResult run = RunPlughost(args);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const std::vector<std::uint8_t> expected = Contents(whole);
            ASSERT_GT(expected.size(), 24000u);
            EXPECT_TRUE(Contents(streamed) == expected) << "the streamed file differs";
        }
    }
}

TEST_F(PlughostStreaming, FileCutShortFailsNamingTheFrameAndLeavesNoOutput) {
    const AudioData noise = Noise(48000, kSeconds, 0.5, 31);
    const bool flac = CheckWritable("", format::kFlac | format::kPcm24, 2, 48000).ok();
    for (const char* extension : {"wav", "flac"}) {
        if (std::string(extension) == "flac" && !flac)
            continue;
        SCOPED_TRACE(extension);
        TempDir folder;
        const std::string in = folder.Path(std::string("cut.") + extension);
        WriteReport report;
        ASSERT_TRUE(WriteAudioFileAtomically(
            in, noise, ChooseOutputFormat(0, in, format::kWav | format::kPcm24), report));
        // Past the first chunks, so the render has begun writing when the input runs out.
        std::vector<std::uint8_t> bytes = FileContents(in);
        bytes.resize(bytes.size() * 3 / 4);
        WriteFile(in, std::string(bytes.begin(), bytes.end()));
        WriteFile(folder.Path("out.wav"), "old");

        const RunResult run =
            RunPlughost({"render", SorvelBundle(), in, folder.Path("out.wav"), "--quiet"});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find(in), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("at frame "), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        const std::vector<std::uint8_t> old = FileContents(folder.Path("out.wav"));
        EXPECT_TRUE(std::string(old.begin(), old.end()) == "old") << "the old output was replaced";
        EXPECT_TRUE(FolderHoldsOnly(folder.Path(""), 2)) << "a temporary file was left behind";
    }
}

} // namespace
