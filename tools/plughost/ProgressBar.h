#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace plughost {

// A one-line bar on a terminal's stderr. It stays hidden for the first second, so quick
// renders leave no trace, and redraws at most ten times a second.
class ProgressBar {
  public:
    // `enabled` is false for --quiet; output that is not a terminal never shows the bar either.
    ProgressBar(bool enabled, std::FILE* stream = stderr);
    ~ProgressBar() { Finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(std::int64_t done, std::int64_t total);
    // Erases the bar if it was drawn.
    void Finish();

  private:
    using Clock = std::chrono::steady_clock;

    std::FILE* stream;
    bool active;
    bool drawn = false;
    Clock::time_point start;
    Clock::time_point lastDraw;
};

} // namespace plughost
