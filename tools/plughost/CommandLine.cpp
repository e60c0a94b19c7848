#include "tools/plughost/CommandLine.h"

#include "tools/plughost/AudioFile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace plughost {

namespace {

const char kUsage[] =
    "usage:\n"
    "  plughost info BUNDLE [--json]\n"
    "  plughost render BUNDLE [IN] OUT [options]\n"
    "  plughost state dump FILE --bundle BUNDLE\n"
    "  plughost response BUNDLE [--set NAME=VALUE ...] --plot FILE.png [--csv FILE]\n"
    "\n"
    "info        factory, classes, buses, parameters (with their titles and ranges), units and\n"
    "            program lists of a VST 3 bundle\n"
    "render      runs IN (WAV, FLAC or AIFF) through the bundle's audio effect and writes OUT;\n"
    "            without IN a built-in 4-second stereo test signal is rendered. A mono file\n"
    "            through a stereo plug-in is fed to both channels and written as stereo.\n"
    "            OUT is written as its extension says: .wav, .flac, .aiff, .ogg (Vorbis) or\n"
    "            .mp3 where libsndfile can write it; any other extension is refused.\n"
    "            OUT appears only when the render succeeded; an existing OUT is left alone\n"
    "            otherwise.\n"
    "state dump  loads a state saved with --save-state (or a .vstpreset from a DAW) into the\n"
    "            bundle and prints every parameter as the plug-in shows it\n"
    "response    measures the magnitude and phase response with a sine sweep and plots it\n"
    "            (see plughost response --help)\n"
    "\n"
    "render options:\n"
    "  --set NAME=VALUE    set a parameter by title to a value as the plug-in displays it\n"
    "                      (e.g. --set HGAINL=-4.5); NAME=@0.75 gives a normalised value.\n"
    "                      May be repeated; `plughost info BUNDLE` lists the titles.\n"
    "  --rate HZ           sample rate of the built-in signal (default 48000); an input file\n"
    "                      renders at its own rate and nothing is resampled\n"
    "  --block N           block size in samples (default 512)\n"
    "  --precision 32|64   sample size handed to the plug-in (default 32)\n"
    "  --realtime          announce real-time processing (default: offline)\n"
    "  --state FILE        load a saved state before rendering: plughost's raw state, or a\n"
    "                      VST 3 preset (.vstpreset) as DAWs write it\n"
    "  --save-state FILE   save the state after rendering; a name ending in .vstpreset\n"
    "                      writes a VST 3 preset that DAWs load, any other name the raw state\n"
    "  --format wav|flac|aiff|ogg|mp3  container of OUT (default: from OUT's extension,\n"
    "                      else IN's)\n"
    "  --quiet             no progress bar\n";

bool ParseNumber(const std::string& text, double& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != 0 || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool ParseInteger(const std::string& text, long long& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != 0)
        return false;
    out = value;
    return true;
}

// Walks the arguments, splitting "--opt=value" and fetching a separate value when needed.
class ArgumentReader {
  public:
    ArgumentReader(const std::vector<std::string>& args, size_t first) : args(args), next(first) {}

    bool Done() const { return next >= args.size(); }
    const std::string& Current() const { return args[next]; }
    void Skip() { ++next; }

    // For an option "--name" or "--name=value": the value, taken from the next argument when
    // not attached.
    Status TakeValue(const std::string& name, std::string& value) {
        const std::string& arg = args[next++];
        const auto equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            return Status::Ok();
        }
        if (next >= args.size())
            return Status::Fail("option " + name + " needs a value");
        value = args[next++];
        return Status::Ok();
    }

  private:
    const std::vector<std::string>& args;
    size_t next;
};

std::string OptionName(const std::string& arg) {
    const auto equals = arg.find('=');
    return equals == std::string::npos ? arg : arg.substr(0, equals);
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

Status ParseInfo(ArgumentReader& reader, InfoOptions& out) {
    std::vector<std::string> positional;
    for (; !reader.Done(); reader.Skip()) {
        const std::string& arg = reader.Current();
        if (arg == "--json")
            out.json = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return Status::Fail("unknown option '" + arg + "' for info");
        else
            positional.push_back(arg);
    }
    if (positional.size() != 1)
        return Status::Fail("info takes one bundle: plughost info BUNDLE [--json]");
    out.bundle = positional[0];
    return Status::Ok();
}

Status ParseRenderOption(ArgumentReader& reader, RenderOptions& out) {
    const std::string name = OptionName(reader.Current());
    if (name == "--quiet" || name == "--realtime") {
        (name == "--quiet" ? out.quiet : out.realtime) = true;
        reader.Skip();
        return Status::Ok();
    }
    std::string value;
    if (name == "--set" || name == "--rate" || name == "--block" || name == "--precision" ||
        name == "--state" || name == "--save-state" || name == "--format") {
        if (Status s = reader.TakeValue(name, value); !s)
            return s;
    } else {
        return Status::Fail("unknown option '" + name + "' for render (see plughost --help)");
    }

    if (name == "--set") {
        if (value.find('=') == std::string::npos || value[0] == '=')
            return Status::Fail("--set needs NAME=VALUE, not '" + value + "'");
        out.settings.push_back(value);
    } else if (name == "--rate") {
        if (!ParseNumber(value, out.sampleRate) || out.sampleRate < kMinSampleRate ||
            out.sampleRate > kMaxSampleRate)
            return Status::Fail("--rate takes a sample rate from 1000 to 1536000 Hz, not '" +
                                value + "'");
    } else if (name == "--block") {
        long long block = 0;
        if (!ParseInteger(value, block) || block < 1 || block > kMaxBlockSize)
            return Status::Fail("--block takes a size from 1 to 65536 samples, not '" + value +
                                "'");
        out.blockSize = static_cast<int>(block);
    } else if (name == "--precision") {
        if (value != "32" && value != "64")
            return Status::Fail("--precision takes 32 or 64, not '" + value + "'");
        out.precision = value == "32" ? 32 : 64;
    } else if (name == "--state" || name == "--save-state") {
        if (value.empty())
            return Status::Fail(name + " needs a file name");
        (name == "--state" ? out.stateIn : out.stateOut) = value;
    } else {
        out.container = ContainerForName(value);
        if (out.container == 0 || value == "aif" || value == "aifc")
            return Status::Fail("--format takes wav, flac, aiff, ogg or mp3, not '" + value + "'");
    }
    return Status::Ok();
}

Status ParseRender(ArgumentReader& reader, RenderOptions& out) {
    std::vector<std::string> positional;
    while (!reader.Done()) {
        const std::string& arg = reader.Current();
        if (arg.size() > 1 && arg[0] == '-') {
            if (Status s = ParseRenderOption(reader, out); !s)
                return s;
        } else {
            positional.push_back(arg);
            reader.Skip();
        }
    }
    if (positional.size() < 2 || positional.size() > 3)
        return Status::Fail("render takes BUNDLE [IN] OUT (see plughost --help)");
    out.bundle = positional[0];
    out.input = positional.size() == 3 ? positional[1] : "";
    out.output = positional.back();
    return Status::Ok();
}

Status ParseStateDump(ArgumentReader& reader, StateDumpOptions& out) {
    std::vector<std::string> positional;
    while (!reader.Done()) {
        const std::string& arg = reader.Current();
        if (OptionName(arg) == "--bundle") {
            if (Status s = reader.TakeValue("--bundle", out.bundle); !s)
                return s;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Status::Fail("unknown option '" + arg + "' for state dump");
        } else {
            positional.push_back(arg);
            reader.Skip();
        }
    }
    if (positional.size() != 1 || out.bundle.empty())
        return Status::Fail("state dump takes: plughost state dump FILE --bundle BUNDLE");
    out.stateFile = positional[0];
    return Status::Ok();
}

} // namespace

const char* UsageText() {
    return kUsage;
}

Status ParseCommandLine(const std::vector<std::string>& args, CommandLine& out) {
    out = CommandLine{};
    if (args.empty())
        return Status::Fail("no command given (see plughost --help)");
    for (const std::string& arg : args)
        if (IsHelp(arg) || args[0] == "help") {
            out.command = Command::help;
            return Status::Ok();
        }

    const std::string& command = args[0];
    if (command == "info") {
        out.command = Command::info;
        ArgumentReader reader(args, 1);
        return ParseInfo(reader, out.info);
    }
    if (command == "render") {
        out.command = Command::render;
        ArgumentReader reader(args, 1);
        return ParseRender(reader, out.render);
    }
    if (command == "state") {
        if (args.size() < 2 || args[1] != "dump")
            return Status::Fail("the state command has one action: plughost state dump FILE "
                                "--bundle BUNDLE");
        out.command = Command::stateDump;
        ArgumentReader reader(args, 2);
        return ParseStateDump(reader, out.stateDump);
    }
    return Status::Fail("unknown command '" + command + "' (see plughost --help)");
}

} // namespace plughost
