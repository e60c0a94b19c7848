#pragma once

#include <gtest/gtest.h>

// Window tests need Wine to run inside an X display (xvfb-run), in a Wine session started
// there: the CI stage for them sets SORVEL_WINE_GUI=1. Anywhere else they skip.
#define REQUIRE_GUI()                                                                              \
    do {                                                                                           \
        if (!GuiAvailable())                                                                       \
            GTEST_SKIP() << "no GUI display: run through tools/wine-gui-tests.sh";                 \
    } while (0)

bool GuiAvailable();

// Dispatches the thread's messages for `ms` milliseconds.
void PumpMessages(int ms);
// The child windows of `window`, all levels.
int Descendants(void* window);
// GDI and USER objects of this process; -1 when the system does not count them.
int GdiObjects();
int UserObjects();
