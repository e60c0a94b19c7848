#pragma once

#include <gtest/gtest.h>

#include "tools/plughost/editor/RgbImage.h"

#include <string>

// Window tests need Wine to run inside an X display (xvfb-run), in a Wine session started
// there: the CI stage for them sets SORVEL_WINE_GUI=1. Anywhere else they skip.
#define REQUIRE_GUI()                                                                              \
    do {                                                                                           \
        if (!GuiAvailable())                                                                       \
            GTEST_SKIP() << "no GUI display: run through tools/wine-gui-tests.sh";                 \
    } while (0)

bool GuiAvailable();

// A top-level window of the test's, playing the host's window: a borderless popup at the
// screen's corner that counts the key-down messages it receives.
class HostWindow {
  public:
    HostWindow(int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void* Handle() const { return window; }
    int KeysReceived() const;
    // Its child windows, all levels.
    int Descendants() const;
    // What it shows, children included; empty when it cannot be read.
    plughost::editor::RgbImage Pixels(int width, int height) const;

  private:
    void* window = nullptr;
};

// Dispatches the thread's messages for `ms` milliseconds.
void PumpMessages(int ms);
// GDI and USER objects of this process; -1 when the system does not count them.
int GdiObjects();
int UserObjects();
