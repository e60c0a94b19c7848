#pragma once

#include <cstdint>

// One second-order filter section, run as a transposed direct form II. The input and the result
// pass through single precision; the coefficients and the state stay in double precision.
struct BiquadSection {
    enum Kind : int32_t { HighPass = 1, Peak = 4 };

    int32_t kind = Peak;
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double Fc = 0.5; // fraction of the rate the section runs at
    double Q = 0.707;
    double gain = 0.0; // dB, Peak only
    double z1 = 0.0;
    double z2 = 0.0;

    // Computes the coefficients from kind, Fc, Q and gain; the state is kept, so a redesign
    // takes effect on the next value without a click from a reset.
    void Design();

    double Process(double x) {
        const double in = static_cast<float>(x);
        const double out = in * a0 + z1;
        z1 = in * a1 + z2 - b1 * out;
        z2 = in * a2 - b2 * out;
        return static_cast<float>(out);
    }

    // Zeroes a state that has stopped being finite, which it would otherwise stay forever.
    // True when it did.
    bool ResetIfNonFinite();
};
