#include "graphics/x11/X11EmbeddedWindow.h"

#include "graphics/x11/X11ErrorTrap.h"
#include "graphics/x11/XEmbedProtocol.h"

#include <bit>

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | KeyPressMask | FocusChangeMask | StructureNotifyMask;

// The drawing bitmap's words are 0xAARRGGBB: a 24-bit true-colour visual with these masks
// takes them as they are.
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kDepth = 24;

} // namespace

bool X11EmbeddedWindow::Open(Window parentWindow, int x, int y, int width, int height) {
    Close();
    if (parentWindow == 0 || width <= 0 || height <= 0)
        return false;
    display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    parent = parentWindow;
    bool created = false;
    {
        X11ErrorTrap trap(display);
        // A parent that vanished or was never a window shows only as an error.
        created = CreateWindow(x, y, width, height) && trap.ErrorsCaught() == 0;
        if (!created)
            ReleaseResources();
    }
    if (!created) {
        XCloseDisplay(display);
        display = nullptr;
    }
    return created;
}

bool X11EmbeddedWindow::CreateWindow(int x, int y, int width, int height) {
    XWindowAttributes parentAttributes;
    if (!XGetWindowAttributes(display, parent, &parentAttributes))
        return false;
    XVisualInfo info;
    const int screen = XScreenNumberOfScreen(parentAttributes.screen);
    if (!XMatchVisualInfo(display, screen, kDepth, TrueColor, &info))
        return false;
    if (info.red_mask != kRedMask || info.green_mask != kGreenMask || info.blue_mask != kBlueMask)
        return false;
    visual = info.visual;
    // A colormap of the chosen visual lets the window differ from its parent's visual.
    colormap = XCreateColormap(display, parent, visual, AllocNone);

    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None; // every exposed pixel is drawn by the editor
    attributes.event_mask = kEventMask;
    window = XCreateWindow(display, parent, x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, kDepth, InputOutput, visual,
                           CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
    if (!window)
        return false;

    xembedAtom = XInternAtom(display, "_XEMBED", False);
    const Atom infoAtom = XInternAtom(display, "_XEMBED_INFO", False);
    const long info32[2] = {xembed::kProtocolVersion, xembed::kInfoFlags};
    XChangeProperty(display, window, infoAtom, infoAtom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info32), 2);
    gc = XCreateGC(display, window, 0, nullptr);
    // Embedders that speak XEmbed would map it on their own; others never would.
    XMapWindow(display, window);
    XSync(display, False);
    return true;
}

void X11EmbeddedWindow::Close() {
    if (!display)
        return;
    {
        X11ErrorTrap trap(display);
        XSync(display, False);
        XEvent event;
        while (window && XCheckTypedWindowEvent(display, window, DestroyNotify, &event))
            Observe(event);
        ReleaseResources();
    }
    XCloseDisplay(display);
    display = nullptr;
}

void X11EmbeddedWindow::ReleaseResources() {
    if (gc)
        XFreeGC(display, gc);
    // A host that destroyed its own window took this one with it.
    if (window && !destroyedByHost)
        XDestroyWindow(display, window);
    if (colormap)
        XFreeColormap(display, colormap);
    gc = nullptr;
    window = 0;
    colormap = 0;
    visual = nullptr;
    parent = 0;
    embedder = 0;
    xembedAtom = 0;
    destroyedByHost = false;
}

bool X11EmbeddedWindow::Position(int& x, int& y) const {
    if (!display || !window)
        return false;
    Window root = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    X11ErrorTrap trap(display);
    return XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) != 0;
}

void X11EmbeddedWindow::Resize(int width, int height) {
    if (!display || !window || width <= 0 || height <= 0)
        return;
    X11ErrorTrap trap(display);
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void X11EmbeddedWindow::Present(const uint32_t* pixels, int rowSpan, int bitmapWidth,
                                int bitmapHeight, const PixelRect& area) {
    if (!display || !window || destroyedByHost || !pixels || rowSpan < bitmapWidth)
        return;
    const PixelRect whole{0, 0, bitmapWidth, bitmapHeight};
    const PixelRect cut = area.Intersection(whole);
    if (cut.Width() <= 0 || cut.Height() <= 0)
        return;
    XImage image{};
    image.width = bitmapWidth;
    image.height = bitmapHeight;
    image.xoffset = 0;
    image.format = ZPixmap;
    // Xlib only reads the pixels; the image never owns them.
    image.data = const_cast<char*>(reinterpret_cast<const char*>(pixels));
    image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = kDepth;
    image.bytes_per_line = rowSpan * 4;
    image.bits_per_pixel = 32;
    image.red_mask = kRedMask;
    image.green_mask = kGreenMask;
    image.blue_mask = kBlueMask;
    if (!XInitImage(&image))
        return;
    XPutImage(display, window, gc, &image, cut.left, cut.top, cut.left, cut.top,
              static_cast<unsigned>(cut.Width()), static_cast<unsigned>(cut.Height()));
    XFlush(display);
}

void X11EmbeddedWindow::Observe(const XEvent& event) {
    if (event.type == DestroyNotify && event.xdestroywindow.window == window)
        destroyedByHost = true;
}

void X11EmbeddedWindow::RequestFocus() {
    if (!display || !embedder || !xembedAtom)
        return;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = embedder;
    message.xclient.message_type = xembedAtom;
    message.xclient.format = 32;
    message.xclient.data.l[0] = CurrentTime;
    message.xclient.data.l[1] = xembed::kRequestFocus;
    XSendEvent(display, embedder, False, NoEventMask, &message);
}
