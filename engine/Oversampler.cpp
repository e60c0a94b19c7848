#include "engine/Oversampler.h"

#include <cmath>

namespace {

constexpr const double* t = Oversampler::Taps;

} // namespace

void Oversampler::Push(double x) {
    for (int k = 0; k < TapCount - NewCount; ++k)
        window[k] = window[k + NewCount];
    for (int k = 0; k < HistoryCount - 1; ++k)
        history[k] = history[k + 1];
    history[HistoryCount - 1] = 4.0 * x;

    // Output phase p takes the taps p, p + 4, p + 8, ... against the newest history first; the
    // taps of phase 3 are zero apart from the centre tap. Phase 1 meets its taps in mirrored
    // pairs, so each pair shares one multiplication.
    const double* h = history;
    double* w = NewValues();
    w[0] = t[0] * h[7] + t[4] * h[6] + t[8] * h[5] + t[12] * h[4] + t[16] * h[3] + t[20] * h[2] +
           t[24] * h[1] + t[28] * h[0];
    w[1] =
        t[1] * (h[7] + h[0]) + t[5] * (h[6] + h[1]) + t[9] * (h[5] + h[2]) + t[13] * (h[4] + h[3]);
    w[2] = t[2] * h[7] + t[6] * h[6] + t[10] * h[5] + t[14] * h[4] + t[18] * h[3] + t[22] * h[2] +
           t[26] * h[1] + t[30] * h[0];
    w[3] = t[15] * h[4];
}

double Oversampler::Decimate() const {
    const double* w = window;
    double sum = t[15] * w[15];
    for (int k = 0; k < 15; ++k) {
        if (t[k] != 0.0)
            sum += t[k] * (w[k] + w[30 - k]);
    }
    return sum;
}

void Oversampler::Restore(const double* windowValues, const double* historyValues) {
    for (int k = 0; k < TapCount; ++k)
        window[k] = windowValues[k];
    for (int k = 0; k < HistoryCount; ++k)
        history[k] = historyValues[k];
}

bool Oversampler::ResetIfNonFinite() {
    bool finite = true;
    for (double v : window)
        finite = finite && std::isfinite(v);
    for (double v : history)
        finite = finite && std::isfinite(v);
    if (finite)
        return false;
    for (double& v : window)
        v = 0.0;
    for (double& v : history)
        v = 0.0;
    return true;
}
