#include "tools/plughost/AudioDataSource.h"
#include "tools/plughost/AudioFile.h"
#include "tools/plughost/AudioFileReader.h"
#include "tools/plughost/AudioFileWriter.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/FileBytes.h"
#include "tools/plughost/ParameterSetting.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/ProgressBar.h"
#include "tools/plughost/RenderSession.h"
#include "tools/plughost/StateFile.h"
#include "tools/plughost/TestSignal.h"
#include "tools/plughost/Utf8Path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace plughost {

namespace {

constexpr double kDefaultSampleRate = 48000;

// Refuses a --rate that differs from the file's; plughost does not resample.
Status CheckRate(const RenderOptions& options, double fileRate) {
    if (options.sampleRate > 0 && options.sampleRate != fileRate) {
        char text[160];
        std::snprintf(text, sizeof(text),
                      "--rate %g differs from the input's %g Hz; plughost does not resample",
                      options.sampleRate, fileRate);
        return Status::Fail(text);
    }
    return Status::Ok();
}

} // namespace

Status RunRender(const RenderOptions& options) {
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(options.output), ec))
        return Status::Fail("the output '" + options.output + "' is a folder");
    // The built-in signal is made in memory; a file is read a block at a time as it renders.
    AudioData testSignal;
    AudioFileReader reader;
    std::unique_ptr<AudioDataSource> testSource;
    AudioSource* input = &reader;
    int sourceFormat = 0;
    if (options.input.empty()) {
        testSignal =
            MakeTestSignal(options.sampleRate > 0 ? options.sampleRate : kDefaultSampleRate);
        testSource = std::make_unique<AudioDataSource>(testSignal);
        input = testSource.get();
    } else {
        if (Status s = reader.Open(options.input); !s)
            return s;
        if (Status s = CheckRate(options, reader.SampleRate()); !s)
            return s;
        sourceFormat = reader.SourceFormat();
    }
    StateFile stateIn;
    if (!options.stateIn.empty())
        if (Status s = ReadStateFile(options.stateIn, stateIn); !s)
            return s;

    std::unique_ptr<Steinberg::Hosting::Module> module;
    PluginInstance plugin;
    if (Status s = OpenPlugin(options.bundle, module, plugin); !s)
        return s;

    std::vector<ParameterChange> changes;
    if (Status s = ResolveSettings(plugin, options.settings, changes); !s)
        return s;

    RenderSetup setup;
    setup.sampleRate = input->SampleRate();
    setup.blockSize = options.blockSize;
    setup.precision = options.precision;
    setup.realtime = options.realtime;
    std::vector<std::uint8_t> stateOut;
    AudioFileWriter writer;
    int outputChannels = 0;
    std::int64_t outputFrames = 0;
    double peak = 0;
    {
        RenderSession session(plugin);
        if (Status s = session.Configure(input->ChannelCount(), setup); !s)
            return s;
        outputChannels = session.Layout().MainOutputChannels();
        const int format = ChooseOutputFormat(options.container, options.output, sourceFormat);
        if (Status s = CheckWritable(options.output, format, outputChannels, setup.sampleRate); !s)
            return s;
        // After setupProcessing, so that a set-up cannot reset what the state restores.
        if (!options.stateIn.empty()) {
            // A raw state carries no class ID; its size is the only hint that it is foreign.
            std::vector<std::uint8_t> own;
            const bool sizesDiffer =
                !stateIn.isPreset && plugin.SaveState(own) && own.size() != stateIn.bytes.size();
            if (Status s = ApplyStateFile(plugin, stateIn); !s)
                return Status::Fail(
                    s.message() +
                    (sizesDiffer ? "; its own state is " + std::to_string(own.size()) + " bytes"
                                 : ""));
            if (sizesDiffer)
                std::fprintf(stderr,
                             "plughost: warning: '%s' holds %zu bytes but this plug-in's state "
                             "is %zu; it may belong to another plug-in\n",
                             options.stateIn.c_str(), stateIn.bytes.size(), own.size());
        }
        // Written under a temporary name as the render goes; it takes OUT's name at the end.
        if (Status s = writer.Open(options.output, format, outputChannels, setup.sampleRate,
                                   input->FrameCount());
            !s)
            return s;
        if (Status s = session.Start(changes); !s)
            return s;
        ProgressBar progress(!options.quiet);
        if (Status s = session.Run(*input, writer, progress); !s)
            return s;
        session.Stop();
        outputFrames = session.FramesProcessed();
        peak = writer.Peak();
        if (session.NonFiniteSamples() > 0)
            std::fprintf(stderr,
                         "plughost: warning: the plug-in produced %lld NaN or infinite "
                         "samples, written as 0\n",
                         static_cast<long long>(session.NonFiniteSamples()));
        if (!options.stateOut.empty())
            if (Status s = CaptureStateFile(plugin, options.stateOut, stateOut); !s)
                return s;

        if (Status s = writer.Commit(); !s)
            return s;
        if (writer.ClippedSamples() > 0)
            std::fprintf(stderr,
                         "plughost: warning: %lld samples beyond full scale were clipped "
                         "in '%s'\n",
                         static_cast<long long>(writer.ClippedSamples()), options.output.c_str());
    }
    if (!options.stateOut.empty())
        if (Status s = WriteFileAtomically(options.stateOut, stateOut); !s)
            return s;

    std::printf("%s: %d channels, %lld frames at %g Hz, peak %.2f dBFS (%.6f)\n",
                options.output.c_str(), outputChannels, static_cast<long long>(outputFrames),
                setup.sampleRate, peak > 0 ? 20 * std::log10(peak) : -INFINITY, peak);
    return Status::Ok();
}

} // namespace plughost
