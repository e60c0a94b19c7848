#include "tools/plughost/editor/EditorCommand.h"

#include "tools/plughost/editor/EditorOptions.h"
#include "tools/plughost/editor/PngFile.h"
#ifdef _WIN32
#include "tools/plughost/editor/win/EditorSession.h"
#else
#include "tools/plughost/editor/EditorSession.h"
#endif

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace plughost::editor;
using Steinberg::Hosting::HandlerCall;

// Time for the first ticks to draw the whole editor before anything happens to it.
constexpr int kSettleMs = 300;

void PrintEdit(const HandlerCall& call) {
    switch (call.kind) {
    case HandlerCall::beginEdit:
        std::printf("beginEdit %u\n", call.id);
        break;
    case HandlerCall::performEdit:
        std::printf("performEdit %u %f\n", call.id, call.value);
        break;
    case HandlerCall::endEdit:
        std::printf("endEdit %u\n", call.id);
        break;
    default:
        return;
    }
    std::fflush(stdout);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "plughost %s\n", message.c_str());
    return 1;
}

// Runs until the user closes the window or the time given is up (-1: no limit).
void RunUntilClosed(EditorSession& session, int timeoutMs) {
    constexpr int kSliceMs = 100;
    for (int elapsed = 0; timeoutMs < 0 || elapsed < timeoutMs; elapsed += kSliceMs) {
        const int slice = timeoutMs < 0 ? kSliceMs : std::min(kSliceMs, timeoutMs - elapsed);
        if (!session.RunFor(slice))
            return;
    }
}

int RunSession(const EditorOptions& options) {
    EditorSession session;
    session.SetContentScale(options.scale);
    std::string errorText;
    if (!session.LoadPlugin(options.bundlePath, errorText) || !session.OpenEditor(errorText))
        return Fail("editor: " + errorText);
    session.Effect().Handler().setCallback(PrintEdit);

    session.RunFor(kSettleMs);
    for (const EditorAction& action : options.actions)
        if (!session.Perform(action, errorText))
            return Fail("editor: " + errorText);

    if (!options.screenshotPath.empty()) {
        session.RunFor(options.afterMs);
        RgbImage image;
        if (!session.Capture(image, errorText) ||
            !WritePngFile(options.screenshotPath, image, errorText))
            return Fail("editor: " + errorText);
    } else {
        RunUntilClosed(session, options.timeoutMs);
    }
    session.Close();

    if (session.AbandonedHandlers() > 0)
        return Fail("editor: the plug-in left " + std::to_string(session.AbandonedHandlers()) +
                    " handlers or windows behind after its view was removed");
    if (ToolWindow::ErrorCount() > 0)
        return Fail("editor: " + std::to_string(ToolWindow::ErrorCount()) +
                    " window-system errors");
    return 0;
}

} // namespace

int RunEditorCommand(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    EditorOptions options;
    std::string errorText;
    if (!ParseEditorOptions(args, options, errorText)) {
        std::fprintf(stderr, "plughost %s\n%s", errorText.c_str(), EditorUsageText());
        return 2;
    }
    if (options.help) {
        std::fputs(EditorUsageText(), stdout);
        return 0;
    }
    return RunSession(options);
}
