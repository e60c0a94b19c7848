#include "tools/plughost/editor/ToolWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <poll.h>

namespace plughost::editor {
namespace {

constexpr int kMapTimeoutMs = 5000;

int errorCount = 0;

int CountError(Display* display, XErrorEvent* error) {
    ++errorCount;
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "plughost editor: X error: %s (request %d.%d, resource 0x%lx)\n", text,
                 error->request_code, error->minor_code, error->resourceid);
    return 0;
}

int Shift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (!mask)
        return 0;
    const unsigned long value = (pixel & mask) >> Shift(mask);
    const unsigned long maximum = mask >> Shift(mask);
    return static_cast<uint8_t>(value * 255 / maximum);
}

// A fixed size: the editor decides it, through resizeView.
void FixSize(Display* display, Window window, int width, int height) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return;
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

} // namespace

int ToolWindow::ErrorCount() {
    return errorCount;
}

bool ToolWindow::Open(int newWidth, int newHeight, const std::string& title,
                      std::string& errorText) {
    Close();
    if (newWidth <= 0 || newHeight <= 0) {
        errorText = "the editor reports no size";
        return false;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        errorText = "cannot open the X display (is DISPLAY set?)";
        return false;
    }
    XSetErrorHandler(CountError);
    width = newWidth;
    height = newHeight;
    closeRequested = false;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask = StructureNotifyMask | ExposureMask;
    window = XCreateWindow(display, RootWindow(display, screen), 0, 0, unsigned(width),
                           unsigned(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, title.c_str());
    FixSize(display, window, width, height);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    deleteAtom = deleteWindow;
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XMapRaised(display, window);
    XFlush(display);

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kMapTimeoutMs);
    for (;;) {
        XEvent event;
        if (XCheckTypedWindowEvent(display, window, MapNotify, &event))
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left));
    }
    errorText = "the window was never shown";
    Close();
    return false;
}

void ToolWindow::Close() {
    if (!display)
        return;
    if (window)
        XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    display = nullptr;
    window = 0;
}

int ToolWindow::ConnectionFd() const {
    return display ? ConnectionNumber(display) : -1;
}

void ToolWindow::Resize(int newWidth, int newHeight) {
    if (!display || newWidth <= 0 || newHeight <= 0)
        return;
    width = newWidth;
    height = newHeight;
    FixSize(display, window, width, height);
    XResizeWindow(display, window, unsigned(width), unsigned(height));
    XFlush(display);
}

void ToolWindow::HandleEvents() {
    if (!display)
        return;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && event.xclient.window == window &&
            static_cast<unsigned long>(event.xclient.data.l[0]) == deleteAtom)
            closeRequested = true;
    }
}

void ToolWindow::Sync() {
    if (display)
        XSync(display, False);
}

bool ToolWindow::Capture(RgbImage& image, std::string& errorText) {
    if (!display) {
        errorText = "no window to capture";
        return false;
    }
    XSync(display, False);
    XImage* shot =
        XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!shot) {
        errorText = "the window's contents cannot be read";
        return false;
    }
    image.width = width;
    image.height = height;
    image.rgb.resize(size_t(width) * height * 3);
    uint8_t* out = image.rgb.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            *out++ = Channel(pixel, shot->red_mask);
            *out++ = Channel(pixel, shot->green_mask);
            *out++ = Channel(pixel, shot->blue_mask);
        }
    }
    XDestroyImage(shot);
    return true;
}

bool ToolWindow::ToRoot(int x, int y, int& rootX, int& rootY) const {
    if (!display)
        return false;
    Window child = 0;
    return XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                                 &child) != 0;
}

} // namespace plughost::editor
