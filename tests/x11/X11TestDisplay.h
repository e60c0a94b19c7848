#pragma once

// gtest first: Xlib's macros (None, Bool) would break its declarations.
#include <gtest/gtest.h>

#include "graphics/x11/XlibHeaders.h"
#include "tools/plughost/editor/RgbImage.h"

#include <cstdint>
#include <vector>

// Skips a test that needs an X server when none can be reached.
#define REQUIRE_X_DISPLAY()                                                                        \
    do {                                                                                           \
        if (!TestDisplay::Reachable())                                                             \
            GTEST_SKIP() << "no X display: run under xvfb-run, or set DISPLAY";                    \
    } while (0)

// The test's own connection, playing the host: a mapped top-level window to embed into, and
// a count of the X errors anything in the process caused.
class TestDisplay {
  public:
    static bool Reachable();
    // Errors seen by the counting handler since it was installed.
    static int Errors();
    // Installs the counting handler (again).
    static void CountErrors();

    TestDisplay();
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    // A mapped top-level window at (0, 0), waited for.
    Window OpenParent(int width, int height);
    Display* Connection() const { return display; }

    // What the window shows; empty when it cannot be read.
    plughost::editor::RgbImage Pixels(Window window, int width, int height);
    // The children of `window`.
    std::vector<Window> Children(Window window);

  private:
    Display* display = nullptr;
};
