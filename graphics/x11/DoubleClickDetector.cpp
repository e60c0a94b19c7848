#include "graphics/x11/DoubleClickDetector.h"

#include <cstdlib>

bool DoubleClickDetector::Press(unsigned int button, uint32_t timeMs, int x, int y) {
    constexpr unsigned int kLeftButton = 1;
    if (button != kLeftButton) {
        armed = false;
        return false;
    }
    // Unsigned subtraction keeps the interval right across the wrap of the server clock.
    const bool isDouble = armed && timeMs - lastTime <= kMaxIntervalMs &&
                          std::abs(x - lastX) <= kMaxDistance &&
                          std::abs(y - lastY) <= kMaxDistance;
    armed = !isDouble;
    lastTime = timeMs;
    lastX = x;
    lastY = y;
    return isDouble;
}
