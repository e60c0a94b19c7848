#include "tools/plughost/editor/EditorOptions.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace plughost::editor {
namespace {

// Whole decimal numbers only, within int.
bool ParseInt(const std::string& text, int& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// "a,b,c" into exactly `count` numbers.
bool ParseList(const std::string& text, int count, int* values) {
    size_t start = 0;
    for (int i = 0; i < count; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == count - 1;
        if (last != (comma == std::string::npos))
            return false;
        const std::string item = text.substr(start, last ? std::string::npos : comma - start);
        if (!ParseInt(item, values[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

// A positive finite decimal number.
bool ParseFactor(const std::string& text, double& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(parsed) || !(parsed > 0.0))
        return false;
    value = parsed;
    return true;
}

bool ParseAction(const std::string& option, const std::string& value, EditorAction& action) {
    int numbers[4] = {};
    if (option == "--click") {
        action.kind = EditorAction::Click;
        if (!ParseList(value, 2, numbers))
            return false;
    } else if (option == "--drag") {
        action.kind = EditorAction::Drag;
        if (!ParseList(value, 4, numbers))
            return false;
        action.dx = numbers[2];
        action.dy = numbers[3];
    } else {
        action.kind = EditorAction::Wheel;
        if (!ParseList(value, 3, numbers))
            return false;
        action.notches = numbers[2];
    }
    action.x = numbers[0];
    action.y = numbers[1];
    return true;
}

} // namespace

bool ParseEditorOptions(const std::vector<std::string>& args, EditorOptions& options,
                        std::string& errorText) {
    options = EditorOptions{};
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!options.bundlePath.empty()) {
                errorText = "editor: more than one bundle given ('" + arg + "')";
                return false;
            }
            options.bundlePath = arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            errorText = "editor: " + arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--screenshot") {
            options.screenshotPath = value;
        } else if (arg == "--after" || arg == "--timeout") {
            int ms = 0;
            if (!ParseInt(value, ms) || ms < 0) {
                errorText = "editor: " + arg + " takes milliseconds, not '" + value + "'";
                return false;
            }
            (arg == "--after" ? options.afterMs : options.timeoutMs) = ms;
        } else if (arg == "--scale") {
            if (!ParseFactor(value, options.scale)) {
                errorText = "editor: --scale takes a factor such as 1.5, not '" + value + "'";
                return false;
            }
        } else if (arg == "--click" || arg == "--drag" || arg == "--wheel") {
            EditorAction action;
            if (!ParseAction(arg, value, action)) {
                errorText = "editor: cannot read " + arg + " '" + value + "'";
                return false;
            }
            options.actions.push_back(action);
        } else {
            errorText = "editor: unknown option " + arg;
            return false;
        }
    }
    if (options.bundlePath.empty()) {
        errorText = "editor: no bundle given";
        return false;
    }
    return true;
}

const char* EditorUsageText() {
    return "usage: plughost editor BUNDLE [--screenshot FILE.png [--after MS]]\n"
           "                              [--click X,Y] [--drag X,Y,DX,DY] [--wheel X,Y,NOTCHES]\n"
           "                              [--timeout MS] [--scale F]\n"
           "Opens the plug-in's editor in a window of its own (X11 on $DISPLAY, or Win32).\n"
           "--scale gives the view the display scale factor F (IPlugViewContentScaleSupport)\n"
           "before it is attached; the window and the screenshot take the scaled size.\n"
           "Clicks, drags and wheel turns are played in the order given, through the XTEST\n"
           "extension or SendInput, at window pixels. --screenshot writes the window to a\n"
           "PNG file MS milliseconds (default 500) after the last action, then closes the\n"
           "editor; without it the editor stays open until its window is closed or --timeout\n"
           "ends it. Every edit the plug-in\n"
           "reports to the host is printed: 'beginEdit ID', 'performEdit ID VALUE', 'endEdit "
           "ID'.\n";
}

} // namespace plughost::editor
