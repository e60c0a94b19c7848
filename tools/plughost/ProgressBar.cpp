#include "tools/plughost/ProgressBar.h"

#include "tools/plughost/Terminal.h"

namespace plughost {

namespace {
constexpr auto kHiddenFor = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
} // namespace

ProgressBar::ProgressBar(bool enabled, std::FILE* stream)
    : stream(stream), active(enabled && IsTerminal(stream)), start(Clock::now()),
      lastDraw(start) {}

void ProgressBar::Update(std::int64_t done, std::int64_t total) {
    if (!active || total <= 0)
        return;
    const auto now = Clock::now();
    if (now - start < kHiddenFor || (drawn && now - lastDraw < kRedrawEvery))
        return;
    lastDraw = now;
    drawn = true;
    const double fraction = done >= total ? 1.0 : static_cast<double>(done) / total;
    const int filled = static_cast<int>(fraction * kBarWidth);
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = 0;
    std::fprintf(stream, "\rrendering [%s] %3d%%", bar, static_cast<int>(fraction * 100));
    std::fflush(stream);
}

void ProgressBar::Finish() {
    if (!drawn)
        return;
    std::fprintf(stream, "\r%*s\r", kBarWidth + 20, "");
    std::fflush(stream);
    drawn = false;
    active = false;
}

} // namespace plughost
