#pragma once

#include "graphics/PixelRect.h"

#include "graphics/x11/XlibHeaders.h"
#include <cstdint>

// The editor's X11 window: a connection of its own to the display, and on it a child window
// of the host's window that speaks the client side of XEmbed, with what it takes to copy
// 32-bit pixels into it. No events are read here; the owner reads them from Connection().
// User-interface thread.
class X11EmbeddedWindow {
  public:
    X11EmbeddedWindow() = default;
    ~X11EmbeddedWindow() { Close(); }
    X11EmbeddedWindow(const X11EmbeddedWindow&) = delete;
    X11EmbeddedWindow& operator=(const X11EmbeddedWindow&) = delete;

    // Opens the connection named by $DISPLAY and maps a width x height child of `parent` at
    // (x, y), its XEmbed information set and the server synchronised. False, with nothing left
    // open, when there is no display, the parent does not exist or the screen has no 24-bit
    // true-colour visual.
    bool Open(Window parent, int x, int y, int width, int height);
    // Destroys the window (unless the host already destroyed it with its own) and closes the
    // connection.
    void Close();
    bool IsOpen() const { return display != nullptr; }

    Display* Connection() const { return display; }
    Window Id() const { return window; }
    Window Parent() const { return parent; }
    Atom XEmbedAtom() const { return xembedAtom; }
    // Where the window lies in its parent; false when that cannot be read.
    bool Position(int& x, int& y) const;
    void Resize(int width, int height);

    // Copies `area` of a top-down bitmap of 32-bit 0xAARRGGBB words (rowSpan words a row) to
    // the same place in the window; the area is cut to the bitmap first.
    void Present(const uint32_t* pixels, int rowSpan, int bitmapWidth, int bitmapHeight,
                 const PixelRect& area);

    // An event of this connection that concerns the window; DestroyNotify is noted here.
    void Observe(const XEvent& event);
    // Asks the embedder, when there is one, to give the window the keyboard focus.
    void RequestFocus();
    void SetEmbedder(Window embedderWindow) { embedder = embedderWindow; }
    Window Embedder() const { return embedder; }

  private:
    bool CreateWindow(int x, int y, int width, int height);
    void ReleaseResources();

    Display* display = nullptr;
    Window window = 0;
    Window parent = 0;
    Window embedder = 0;
    Colormap colormap = 0;
    GC gc = nullptr;
    Visual* visual = nullptr;
    Atom xembedAtom = 0;
    bool destroyedByHost = false;
};
