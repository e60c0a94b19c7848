#include "graphics/x11/X11ErrorTrap.h"

namespace {

constexpr int kMaxNesting = 8;

// One stack per module: traps are only made on the user-interface thread.
struct TrapStack {
    Display* displays[kMaxNesting] = {};
    int depth = 0;
    XErrorHandler previous = nullptr;
    XErrorHandler defaultHandler = nullptr;
    int totalErrors = 0;
};

TrapStack stack;

bool IsTrapped(const Display* display) {
    for (int i = 0; i < stack.depth && i < kMaxNesting; ++i)
        if (stack.displays[i] == display)
            return true;
    return false;
}

int TrapHandler(Display* display, XErrorEvent* error) {
    if (!IsTrapped(display)) {
        // Not ours: what would have happened without the trap.
        return stack.previous ? stack.previous(display, error) : 0;
    }
    ++stack.totalErrors;
    // A host that installed its own handler wants to hear of errors; Xlib's default would
    // end the host's process over a window that has just gone away.
    if (stack.previous && stack.previous != stack.defaultHandler)
        stack.previous(display, error);
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display) {
    errorsAtStart = stack.totalErrors;
    if (stack.depth == 0) {
        // Installing none restores Xlib's default and hands back the one in force; setting
        // that again hands back the default, which is how a host without a handler shows.
        XErrorHandler current = XSetErrorHandler(nullptr);
        stack.defaultHandler = XSetErrorHandler(current);
        stack.previous = XSetErrorHandler(TrapHandler);
    }
    if (stack.depth < kMaxNesting)
        stack.displays[stack.depth] = display;
    ++stack.depth;
}

X11ErrorTrap::~X11ErrorTrap() {
    if (display)
        XSync(display, False);
    --stack.depth;
    if (stack.depth < kMaxNesting)
        stack.displays[stack.depth] = nullptr;
    if (stack.depth == 0) {
        XErrorHandler current = XSetErrorHandler(stack.previous);
        // Someone replaced the handler while the trap was in force: theirs stays.
        if (current != TrapHandler)
            XSetErrorHandler(current);
        stack.previous = nullptr;
    }
}

int X11ErrorTrap::ErrorsCaught() {
    if (display)
        XSync(display, False);
    return stack.totalErrors - errorsAtStart;
}

int X11ErrorTrap::TotalErrors() {
    return stack.totalErrors;
}
