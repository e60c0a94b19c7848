#pragma once

#include <string>
#include <vector>

namespace plughost::editor {

// One step of pointer input, in editor pixels.
struct EditorAction {
    enum Kind { Click, Drag, Wheel };

    Kind kind = Click;
    int x = 0;
    int y = 0;
    int dx = 0;      // Drag
    int dy = 0;      // Drag
    int notches = 0; // Wheel: positive turns up
};

struct EditorOptions {
    std::string bundlePath;
    std::string screenshotPath; // empty: none
    int afterMs = 500;          // from the last action (or from opening) to the screenshot
    int timeoutMs = -1;         // -1: until the window is closed (or the screenshot is taken)
    double scale = 0.0;         // --scale: the factor given to the view; 0 gives none
    std::vector<EditorAction> actions; // in command-line order
    bool help = false;                 // --help: show the usage, nothing else
};

// Reads the arguments after "editor". False, with the reason in `errorText`, on anything it
// does not understand. With --help anywhere, the rest is not looked at.
bool ParseEditorOptions(const std::vector<std::string>& args, EditorOptions& options,
                        std::string& errorText);

const char* EditorUsageText();

} // namespace plughost::editor
