#include "tools/plughost/CommandLine.h"
#include "tools/plughost/Commands.h"
#include "tools/plughost/ProgramArguments.h"
#include "tools/plughost/Terminal.h"
#include "tools/plughost/response/ResponseCommand.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef PLUGHOST_WITH_EDITOR
#include "tools/plughost/editor/EditorCommand.h"
#endif

// plughost: renders audio through a VST 3 bundle, describes it, and shows its saved states.
int main(int argc, char** argv) {
    using namespace plughost;
#ifdef PLUGHOST_WITH_EDITOR
    // The editor command reads its own arguments.
    if (argc > 1 && std::strcmp(argv[1], "editor") == 0)
        return RunEditorCommand(argc - 1, argv + 1);
#endif
    UseUtf8Console();
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    // The response command reads its own arguments.
    if (!args.empty() && args[0] == "response")
        return RunResponseCommand(args);
    CommandLine commandLine;
    if (Status s = ParseCommandLine(args, commandLine); !s) {
        std::fprintf(stderr, "plughost: %s\n", s.message().c_str());
        return 2;
    }
    Status result = Status::Ok();
    switch (commandLine.command) {
    case Command::help:
        std::fputs(UsageText(), stdout);
#ifdef PLUGHOST_WITH_EDITOR
        std::fputs(
            "\neditor      plughost editor BUNDLE ... shows the plug-in's editor in a window\n"
            "            (see plughost editor --help)\n",
            stdout);
#endif
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
