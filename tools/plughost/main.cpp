#include "tools/plughost/CommandLine.h"
#include "tools/plughost/Commands.h"

#include <cstdio>
#include <string>
#include <vector>

// plughost: renders audio through a VST 3 bundle, describes it, and shows its saved states.
int main(int argc, char** argv) {
    using namespace plughost;
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine commandLine;
    if (Status s = ParseCommandLine(args, commandLine); !s) {
        std::fprintf(stderr, "plughost: %s\n", s.message().c_str());
        return 2;
    }
    Status result = Status::Ok();
    switch (commandLine.command) {
    case Command::help:
        std::fputs(UsageText(), stdout);
        return 0;
    case Command::info:
        result = RunInfo(commandLine.info);
        break;
    case Command::render:
        result = RunRender(commandLine.render);
        break;
    case Command::stateDump:
        result = RunStateDump(commandLine.stateDump);
        break;
    }
    if (!result) {
        std::fprintf(stderr, "plughost: %s\n", result.message().c_str());
        return 1;
    }
    return 0;
}
