#include "tools/plughost/AudioFile.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/FileBytes.h"
#include "tools/plughost/ParameterSetting.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/ProgressBar.h"
#include "tools/plughost/RenderSession.h"
#include "tools/plughost/StateFile.h"
#include "tools/plughost/TestSignal.h"
#include "tools/plughost/Utf8Path.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace plughost {

namespace {

constexpr double kDefaultSampleRate = 48000;

Status LoadInput(const RenderOptions& options, AudioData& input) {
    if (options.input.empty()) {
        input = MakeTestSignal(options.sampleRate > 0 ? options.sampleRate : kDefaultSampleRate);
        return Status::Ok();
    }
    if (Status s = ReadAudioFile(options.input, input); !s)
        return s;
    if (options.sampleRate > 0 && options.sampleRate != input.sampleRate) {
        char text[160];
        std::snprintf(text, sizeof(text),
                      "--rate %g differs from the input's %g Hz; plughost does not resample",
                      options.sampleRate, input.sampleRate);
        return Status::Fail(text);
    }
    return Status::Ok();
}

double PeakOf(const AudioData& audio) {
    double peak = 0;
    for (const auto& channel : audio.channels)
        for (double v : channel)
            peak = std::max(peak, std::fabs(v));
    return peak;
}

} // namespace

Status RunRender(const RenderOptions& options) {
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(options.output), ec))
        return Status::Fail("the output '" + options.output + "' is a folder");
    AudioData input;
    if (Status s = LoadInput(options, input); !s)
        return s;
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
    setup.sampleRate = input.sampleRate;
    setup.blockSize = options.blockSize;
    setup.precision = options.precision;
    setup.realtime = options.realtime;
    AudioData output;
    std::vector<std::uint8_t> stateOut;
    {
        RenderSession session(plugin);
        if (Status s = session.Configure(input.ChannelCount(), setup); !s)
            return s;
        const int format =
            ChooseOutputFormat(options.container, options.output, input.sourceFormat);
        if (Status s = CheckWritable(options.output, format, session.Layout().MainOutputChannels(),
                                     setup.sampleRate);
            !s)
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
        if (Status s = session.Start(changes); !s)
            return s;
        ProgressBar progress(!options.quiet);
        if (Status s = session.Run(input, output, progress); !s)
            return s;
        session.Stop();
        if (session.NonFiniteSamples() > 0)
            std::fprintf(stderr,
                         "plughost: warning: the plug-in produced %lld NaN or infinite "
                         "samples, written as 0\n",
                         static_cast<long long>(session.NonFiniteSamples()));
        if (!options.stateOut.empty())
            if (Status s = CaptureStateFile(plugin, options.stateOut, stateOut); !s)
                return s;

        WriteReport report;
        if (Status s = WriteAudioFileAtomically(options.output, output, format, report); !s)
            return s;
        if (report.clippedSamples > 0)
            std::fprintf(stderr,
                         "plughost: warning: %lld samples beyond full scale were clipped "
                         "in '%s'\n",
                         static_cast<long long>(report.clippedSamples), options.output.c_str());
    }
    if (!options.stateOut.empty())
        if (Status s = WriteFileAtomically(options.stateOut, stateOut); !s)
            return s;

    const double peak = PeakOf(output);
    std::printf("%s: %d channels, %lld frames at %g Hz, peak %.2f dBFS (%.6f)\n",
                options.output.c_str(), output.ChannelCount(),
                static_cast<long long>(output.FrameCount()), output.sampleRate,
                peak > 0 ? 20 * std::log10(peak) : -INFINITY, peak);
    return Status::Ok();
}

} // namespace plughost
