#include "X11TestDisplay.h"

#include <cstdlib>

namespace {

int errorCount = 0;

int CountingHandler(Display*, XErrorEvent*) {
    ++errorCount;
    return 0;
}

} // namespace

bool TestDisplay::Reachable() {
    // Held for the whole run: a server whose last client leaves resets itself, and refuses
    // connections while it does.
    static Display* keeper = XOpenDisplay(nullptr);
    return keeper != nullptr;
}

int TestDisplay::Errors() {
    return errorCount;
}

void TestDisplay::CountErrors() {
    XSetErrorHandler(CountingHandler);
}

TestDisplay::TestDisplay() {
    CountErrors();
    display = XOpenDisplay(nullptr);
}

TestDisplay::~TestDisplay() {
    if (display)
        XCloseDisplay(display);
}

Window TestDisplay::OpenParent(int width, int height) {
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = StructureNotifyMask;
    const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, unsigned(width),
                                        unsigned(height), 0, CopyFromParent, InputOutput,
                                        CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XMapRaised(display, window);
    XEvent event;
    do
        XWindowEvent(display, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
    return window;
}

plughost::editor::RgbImage TestDisplay::Pixels(Window window, int width, int height) {
    XSync(display, False);
    plughost::editor::RgbImage out;
    XImage* image =
        XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return out;
    out.width = width;
    out.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The test server's 24-bit visual: 0xRRGGBB.
            const unsigned long pixel = XGetPixel(image, x, y);
            out.rgb.push_back(uint8_t(pixel >> 16));
            out.rgb.push_back(uint8_t(pixel >> 8));
            out.rgb.push_back(uint8_t(pixel));
        }
    }
    XDestroyImage(image);
    return out;
}

std::vector<Window> TestDisplay::Children(Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        out.assign(children, children + count);
        if (children)
            XFree(children);
    }
    return out;
}
