#include "tools/plughost/response/ResponseCommand.h"

#include "tools/plughost/FileBytes.h"
#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/response/PluginResponse.h"
#include "tools/plughost/response/ResponsePlot.h"

#include <cerrno>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace plughost {

namespace {

const char kUsage[] =
    "usage: plughost response BUNDLE [--set NAME=VALUE ...] [--state FILE] [--rate HZ]\n"
    "                         [--level DBFS] --plot FILE.png [--csv FILE]\n"
    "\n"
    "Measures the magnitude and phase response of the bundle's effect on each channel: an\n"
    "exponential sine sweep from below 10 Hz to the Nyquist frequency runs through a fresh\n"
    "instance per channel (the other channels silent) and is deconvolved, keeping the linear\n"
    "response apart from the harmonics of any saturation.\n"
    "\n"
    "  --set NAME=VALUE  a parameter setting, as `plughost render` takes it; may be repeated\n"
    "  --state FILE      a saved state or .vstpreset to load first (--set applies after it)\n"
    "  --rate HZ         sample rate (default 48000)\n"
    "  --level DBFS      peak level of the sweep, -120 to 0 (default -30, low enough that a\n"
    "                    saturation stage stays nearly linear)\n"
    "  --plot FILE.png   gain against frequency as a PNG picture\n"
    "  --csv FILE        frequency, then gain (dB) and phase (degrees) of each channel\n"
    "At least one of --plot and --csv is needed.\n";

constexpr int kPoints = 480;
constexpr double kLowestHz = 10;

struct ResponseOptions {
    ResponseRequest request;
    std::string stateFile;
    std::string plot;
    std::string csv;
};

bool ParseNumber(const std::string& text, double& out) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || errno != 0 || *end != 0 || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

Status ParseOptions(const std::vector<std::string>& args, ResponseOptions& out) {
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        const auto equals = arg.find('=');
        const bool attached = arg.starts_with("--") && equals != std::string::npos;
        const std::string name = attached ? arg.substr(0, equals) : arg;
        const bool takesValue = name == "--set" || name == "--state" || name == "--rate" ||
                                name == "--level" || name == "--plot" || name == "--csv";
        if (!takesValue) {
            if (arg.size() > 1 && arg[0] == '-')
                return Status::Fail("unknown option '" + arg +
                                    "' for response (see plughost response --help)");
            positional.push_back(arg);
            continue;
        }
        if (attached)
            value = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return Status::Fail("option " + name + " needs a value");

        if (name == "--set") {
            if (value.find('=') == std::string::npos || value[0] == '=')
                return Status::Fail("--set needs NAME=VALUE, not '" + value + "'");
            out.request.settings.push_back(value);
        } else if (name == "--rate") {
            double& rate = out.request.sweep.sampleRate;
            if (!ParseNumber(value, rate) || rate < 1000 || rate > 1536000)
                return Status::Fail("--rate takes a sample rate from 1000 to 1536000 Hz, not '" +
                                    value + "'");
        } else if (name == "--level") {
            double& level = out.request.sweep.levelDbfs;
            if (!ParseNumber(value, level) || level < -120 || level > 0)
                return Status::Fail("--level takes a level from -120 to 0 dBFS, not '" + value +
                                    "'");
        } else if (value.empty()) {
            return Status::Fail(name + " needs a file name");
        } else {
            (name == "--state" ? out.stateFile : name == "--plot" ? out.plot : out.csv) = value;
        }
    }
    if (positional.size() != 1)
        return Status::Fail("response takes one bundle (see plughost response --help)");
    if (out.plot.empty() && out.csv.empty())
        return Status::Fail("response needs --plot FILE.png or --csv FILE for its result");
    out.request.bundle = positional[0];
    return Status::Ok();
}

std::vector<double> LogGrid(double nyquist) {
    // Short of Nyquist itself, where the sweep ends and carries least energy.
    const double top = nyquist * 0.998;
    std::vector<double> hz(kPoints);
    for (int i = 0; i < kPoints; ++i)
        hz[static_cast<size_t>(i)] = kLowestHz * std::pow(top / kLowestHz, i / (kPoints - 1.0));
    return hz;
}

std::string ChannelLabel(int channel, int count) {
    if (count == 1)
        return "Mono";
    if (count == 2)
        return channel == 0 ? "Left" : "Right";
    return "Channel " + std::to_string(channel + 1);
}

double GainDb(std::complex<double> h) {
    return 20 * std::log10(std::max(std::abs(h), 1e-15));
}

std::string Csv(const std::vector<double>& hz, const PluginResponse& response) {
    const int count = static_cast<int>(response.channels.size());
    std::string text = "frequency_hz";
    for (int c = 0; c < count; ++c) {
        std::string label = ChannelLabel(c, count);
        for (char& ch : label)
            ch = ch == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        text += "," + label + "_gain_db," + label + "_phase_deg";
    }
    text += "\n";
    char field[64];
    for (double f : hz) {
        std::snprintf(field, sizeof(field), "%.6g", f);
        text += field;
        for (const ChannelResponse& channel : response.channels) {
            const std::complex<double> h = channel.At(f);
            std::snprintf(field, sizeof(field), ",%.4f,%.2f", GainDb(h),
                          std::arg(h) * 180 / 3.14159265358979323846);
            text += field;
        }
        text += "\n";
    }
    return text;
}

std::string Title(const ResponseOptions& options, const std::string& pluginName) {
    std::string title = pluginName + ": ";
    if (!options.stateFile.empty())
        title += std::filesystem::path(options.stateFile).filename().string() +
                 (options.request.settings.empty() ? "" : ", ");
    for (size_t i = 0; i < options.request.settings.size(); ++i)
        title += (i ? ", " : "") + options.request.settings[i];
    if (options.stateFile.empty() && options.request.settings.empty())
        title += "default settings";
    return title;
}

Status Run(const ResponseOptions& options) {
    StateFile state;
    ResponseRequest request = options.request;
    if (!options.stateFile.empty()) {
        if (Status s = ReadStateFile(options.stateFile, state); !s)
            return s;
        request.state = &state;
    }
    std::unique_ptr<Steinberg::Hosting::Module> module;
    {
        // Opening one instance first reports a bundle that cannot load in the usual words.
        PluginInstance probe;
        if (Status s = OpenPlugin(request.bundle, module, probe); !s)
            return s;
    }
    PluginResponse response;
    if (Status s = MeasurePlugin(*module, request, response); !s)
        return s;

    const double nyquist = request.sweep.sampleRate / 2;
    const std::vector<double> hz = LogGrid(nyquist);
    ResponsePlotData plot;
    plot.title = Title(options, response.pluginName);
    char subtitle[200];
    std::snprintf(subtitle, sizeof(subtitle),
                  "gain at %g Hz; exponential sine sweep at %g dBFS, each channel swept alone",
                  request.sweep.sampleRate, request.sweep.levelDbfs);
    plot.subtitle = subtitle;
    plot.nyquist = nyquist;
    plot.hz = hz;
    const int count = static_cast<int>(response.channels.size());
    std::string summary;
    for (int c = 0; c < count; ++c) {
        ResponsePlotData::Curve curve{ChannelLabel(c, count), {}};
        double low = INFINITY, high = -INFINITY;
        for (double f : hz) {
            curve.gainDb.push_back(GainDb(response.channels[static_cast<size_t>(c)].At(f)));
            low = std::min(low, curve.gainDb.back());
            high = std::max(high, curve.gainDb.back());
        }
        char line[160];
        std::snprintf(line, sizeof(line), "%s%s %+.2f to %+.2f dB (1 kHz: %+.2f dB)", c ? "; " : "",
                      curve.label.c_str(), low, high,
                      GainDb(response.channels[static_cast<size_t>(c)].At(1000)));
        summary += line;
        plot.curves.push_back(std::move(curve));
    }

    if (!options.plot.empty()) {
        std::vector<std::uint8_t> png;
        const Status drawn = DrawResponsePlot(plot, png);
        ReleasePlotCaches();
        if (!drawn)
            return drawn;
        if (Status s = WriteFileAtomically(options.plot, png); !s)
            return s;
    }
    if (!options.csv.empty()) {
        const std::string csv = Csv(hz, response);
        if (Status s = WriteFileAtomically(options.csv, {csv.begin(), csv.end()}); !s)
            return s;
    }
    std::printf("%s at %g Hz, 10 Hz to %g Hz: %s\n", response.pluginName.c_str(),
                request.sweep.sampleRate, nyquist, summary.c_str());
    return Status::Ok();
}

} // namespace

int RunResponseCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    ResponseOptions options;
    if (Status s = ParseOptions(args, options); !s) {
        std::fprintf(stderr, "plughost: %s\n", s.message().c_str());
        return 2;
    }
    if (Status s = Run(options); !s) {
        std::fprintf(stderr, "plughost: %s\n", s.message().c_str());
        return 1;
    }
    return 0;
}

} // namespace plughost
