#include "engine/Saturate.h"

#include "engine/SaturationCurves.h"

#include <cmath>

double Saturate(double x) {
    // A NaN has no position on the curve; silence keeps it from reaching the equaliser.
    if (std::isnan(x))
        return 0.0;
    const float* curve = std::signbit(x) ? NegativeCurve : PositiveCurve;
    constexpr int last = CurveEntries - 1;
    const double s = std::fabs(x) * CurveScale;
    // Compared before the conversion to int, which an infinite s would overflow.
    double magnitude = curve[last];
    if (s < last) {
        const int i = static_cast<int>(s);
        const double f = s - i;
        magnitude = curve[i] * (1.0 - f) + curve[i + 1] * f;
    }
    return std::copysign(magnitude, x);
}
