#pragma once

#include "tools/plughost/Status.h"

#include <string>
#include <vector>

namespace plughost {

struct InfoOptions {
    std::string bundle;
    bool json = false;
};

struct RenderOptions {
    std::string bundle;
    std::string input; // empty: the built-in test signal
    std::string output;
    std::vector<std::string> settings; // NAME=VALUE, in the order given
    double sampleRate = 0;             // 0: not given
    int blockSize = 512;
    int precision = 32;
    bool realtime = false;
    std::string stateIn;
    std::string stateOut;
    int container = 0; // a libsndfile container; 0: chosen from the names
    bool quiet = false;
};

struct StateDumpOptions {
    std::string stateFile;
    std::string bundle;
};

enum class Command { help, info, render, stateDump };

struct CommandLine {
    Command command = Command::help;
    InfoOptions info;
    RenderOptions render;
    StateDumpOptions stateDump;
};

// Reads the arguments after the program name. Only a well-formed command line succeeds;
// every message names the argument at fault.
Status ParseCommandLine(const std::vector<std::string>& args, CommandLine& out);

// The text of `plughost --help`.
const char* UsageText();

// Limits on what --rate and --block accept.
inline constexpr double kMinSampleRate = 1000;
inline constexpr double kMaxSampleRate = 1536000;
inline constexpr int kMaxBlockSize = 65536;

} // namespace plughost
