#pragma once

#include "graphics/x11/XlibHeaders.h"

// Xlib's default error handler ends the process, and the error handler is one per process:
// the host's. While a trap lives, errors caused on the trapped connection are counted instead
// of reaching the default handler; a handler the host installed itself still hears of them.
// Errors on other connections pass to whatever handler was installed before. The trap
// synchronises its connection when it ends, so every error caused inside its scope has been
// seen by then. Traps nest. User-interface thread.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Errors on this trap's connection since the trap began; synchronises first.
    int ErrorsCaught();

    // Errors caught on trapped connections since the module was loaded.
    static int TotalErrors();

  private:
    Display* display;
    int errorsAtStart;
};
