#pragma once

// Raises a stream to four times its rate, lets the owner transform the four new values in place,
// and brings it back down one value at a time. Interpolation and decimation share one 31-tap
// linear-phase low-pass FIR. The object knows no sample rate: pushing once per Decimate() is a
// fourfold rate, pushing twice an eightfold one.
class Oversampler {
  public:
    static constexpr int TapCount = 31;
    static constexpr int HistoryCount = 8;
    static constexpr int NewCount = 4;

    // Symmetric about the centre tap; every fourth tap counted from the centre is zero and the
    // taps sum to 1.
    static constexpr double Taps[TapCount] = {
        -0.00248078931015061,  -0.004570244176216314, -0.004355356208146785, 0.0,
        0.00795714816545856,   0.014777623526947411,  0.013578369569319975,  0.0,
        -0.022456715627743595, -0.040914779384992654, -0.03769151644963085,  0.0,
        0.0706496448477984,    0.15538007457109065,   0.2245335588462797,    0.2511859632599724,
        0.2245335588462797,    0.15538007457109065,   0.0706496448477984,    0.0,
        -0.03769151644963085,  -0.040914779384992654, -0.022456715627743595, 0.0,
        0.013578369569319975,  0.014777623526947411,  0.00795714816545856,   0.0,
        -0.004355356208146785, -0.004570244176216314, -0.00248078931015061,
    };

    // Takes one input value and writes the four high-rate values at its position and the three
    // after it into NewValues(), oldest first.
    void Push(double x);

    // The four values the last Push() wrote; the owner may rewrite them in place.
    double* NewValues() { return window + TapCount - NewCount; }

    // One output value from the whole window, transforms included; changes nothing.
    double Decimate() const;

    // w[0] oldest to w[30] newest.
    const double* Window() const { return window; }
    // h[0] oldest to h[7] newest, each pushed value times 4.
    const double* History() const { return history; }

    // Sets window and history at once, for a caller that ran the pushes on copies of them.
    void Restore(const double* windowValues, const double* historyValues);

    // Clears window and history when any value in them has stopped being finite, which would
    // otherwise poison every later output. True when it did.
    bool ResetIfNonFinite();

  private:
    double window[TapCount] = {};
    double history[HistoryCount] = {}; // pushed values times 4, h[0] oldest
};
