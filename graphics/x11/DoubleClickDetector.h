#pragma once

#include <cstdint>

// X reports every press on its own; the editor wants the second of two quick left presses
// as a double click instead. Fed with each press in order. User-interface thread.
class DoubleClickDetector {
  public:
    static constexpr uint32_t kMaxIntervalMs = 400;
    static constexpr int kMaxDistance = 4; // pixels, along each axis

    // A press of `button` at server time `timeMs` (which wraps at 32 bits) and (x, y). True
    // when it is a left press that follows a left press within the interval and distance; that
    // pair is then used up, so a third press starts a new one. Any other button breaks a pair.
    bool Press(unsigned int button, uint32_t timeMs, int x, int y);
    void Reset() { armed = false; }

  private:
    bool armed = false;
    uint32_t lastTime = 0;
    int lastX = 0;
    int lastY = 0;
};
