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

std::vector<uint32_t> TestDisplay::Pixels(Window window, int width, int height) {
    XSync(display, False);
    XImage* image =
        XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    std::vector<uint32_t> out;
    if (!image)
        return out;
    out.reserve(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
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

std::vector<uint32_t> RgbOf(const uint32_t* pixels, int rowSpan, int width, int height) {
    std::vector<uint32_t> out;
    out.reserve(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(pixels[size_t(y) * rowSpan + x] & 0xFFFFFF);
    return out;
}

PixelDifference ComparePixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                              int width) {
    PixelDifference difference;
    if (a.size() != b.size()) {
        difference.count = -1;
        return difference;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        if (difference.count++ == 0) {
            difference.firstX = int(i % size_t(width));
            difference.firstY = int(i / size_t(width));
        }
    }
    return difference;
}
