#include "engine/BiquadSection.h"

#include <cmath>
#include <numbers>

namespace {

// tan(pi Fc) only describes a stable section for Fc strictly between 0 and 0.5: at 0.5 it
// overflows and above it turns negative, which puts the poles outside the unit circle. That
// happens when a band lies above a quarter of a very low host rate. Such a band is held just
// below the Nyquist frequency of the rate it runs at; every Fc in use at ordinary rates lies
// well inside the limits and is designed untouched.
constexpr double LowestFc = 1e-9;
constexpr double HighestFc = 0.45;

double UsableFc(double Fc) {
    if (Fc > HighestFc)
        return HighestFc;
    if (!(Fc >= LowestFc))
        return LowestFc; // also catches NaN
    return Fc;
}

} // namespace

void BiquadSection::Design() {
    const double V = std::pow(10.0, std::fabs(gain) / 20.0);
    const double K = std::tan(std::numbers::pi * UsableFc(Fc));
    const double KK = K * K;
    switch (kind) {
    case HighPass: {
        const double norm = 1.0 / (1.0 + K / Q + KK);
        a0 = norm;
        a1 = -2.0 * norm;
        a2 = norm;
        b1 = 2.0 * (KK - 1.0) * norm;
        b2 = (1.0 - K / Q + KK) * norm;
        break;
    }
    case Peak:
        if (gain >= 0.0) {
            const double norm = 1.0 / (1.0 + K / Q + KK);
            a0 = (1.0 + V / Q * K + KK) * norm;
            a1 = 2.0 * (KK - 1.0) * norm;
            a2 = (1.0 - V / Q * K + KK) * norm;
            b1 = a1;
            b2 = (1.0 - K / Q + KK) * norm;
        } else {
            const double norm = 1.0 / (1.0 + V / Q * K + KK);
            a0 = (1.0 + K / Q + KK) * norm;
            a1 = 2.0 * (KK - 1.0) * norm;
            a2 = (1.0 - K / Q + KK) * norm;
            b1 = a1;
            b2 = (1.0 - V / Q * K + KK) * norm;
        }
        break;
    }
}

bool BiquadSection::ResetIfNonFinite() {
    if (std::isfinite(z1) && std::isfinite(z2))
        return false;
    z1 = 0.0;
    z2 = 0.0;
    return true;
}
