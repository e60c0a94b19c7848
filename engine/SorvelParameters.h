#pragma once

// Parameter indices of Sorvel. The index is the parameter's identity everywhere: host ID,
// control binding and position in the saved state.
enum SorvelParam : int {
    kHighGainL = 0,
    kHighGainR,
    kMidGain1L,
    kMidGain1R,
    kMidGain2L,
    kMidGain2R,
    kMidGain3L,
    kMidGain3R,
    kMidGain4L,
    kMidGain4R,
    kLowGainL,
    kLowGainR,
    kOutL,
    kOutR,
    kDrive,
    kBypass,
    kLink,
    kMidSide,
    kHighFreqL,
    kHighFreqR,
    kMidFreq1L,
    kMidFreq1R,
    kMidFreq2L,
    kMidFreq2R,
    kMidFreq3L,
    kMidFreq3R,
    kMidFreq4L,
    kMidFreq4R,
    kLowFreqL,
    kLowFreqR,
    kLowCutL,
    kLowCutR,
    kOversampling, // never declared: the core's fresh 0..1 parameter
    kNumSorvelParams
};

struct SorvelParamDeclaration {
    SorvelParam index;
    const char* name;
    double minimum;
    double maximum;
    double defaultValue;
};

// clang-format off
// Declared in this order: the switches and selectors first, then the continuous settings.
inline constexpr SorvelParamDeclaration kSorvelIntegerParams[] = {
    {kBypass, "BY", 0, 1, 0},
    {kLink, "LINK", 0, 1, 0},
    {kMidSide, "MS", 0, 1, 1},
    {kLowCutL, "LCUTL", 0, 1, 1},
    {kLowCutR, "LCUTR", 0, 1, 1},
    {kHighFreqL, "HFREQL", 0, 2, 0},
    {kHighFreqR, "HFREQR", 0, 2, 0},
    {kLowFreqL, "LFREQL", 0, 2, 0},
    {kLowFreqR, "LFREQR", 0, 2, 0},
    {kMidFreq1L, "MFREQ1L", 0, 1, 0},
    {kMidFreq1R, "MFREQ1R", 0, 1, 0},
    {kMidFreq2L, "MFREQ2L", 0, 2, 0},
    {kMidFreq2R, "MFREQ2R", 0, 2, 0},
    {kMidFreq3L, "MFREQ3L", 0, 2, 0},
    {kMidFreq3R, "MFREQ3R", 0, 2, 0},
    {kMidFreq4L, "MFREQ4L", 0, 1, 0},
    {kMidFreq4R, "MFREQ4R", 0, 1, 0},
};

inline constexpr SorvelParamDeclaration kSorvelContinuousParams[] = {
    {kHighGainL, "HGAINL", -18, 18, 0},
    {kHighGainR, "HGAINR", -18, 18, 0},
    {kLowGainL, "LGAINL", -18, 18, 0},
    {kLowGainR, "LGAINR", -18, 18, 0},
    {kMidGain1L, "MGAIN1L", -9, 9, 0},
    {kMidGain1R, "MGAIN1R", -9, 9, 0},
    {kMidGain2L, "MGAIN2L", -4.5, 4.5, 0},
    {kMidGain2R, "MGAIN2R", -4.5, 4.5, 0},
    {kMidGain3L, "MGAIN3L", -4.5, 4.5, 0},
    {kMidGain3R, "MGAIN3R", -4.5, 4.5, 0},
    {kMidGain4L, "MGAIN4L", -9, 9, 0},
    {kMidGain4R, "MGAIN4R", -9, 9, 0},
    {kOutL, "OUTL", -12, 12, 0},
    {kOutR, "OUTR", -12, 12, 0},
    {kDrive, "DRIVE", -60, -20, -40},
};

inline constexpr double kContinuousStep = 0.01;
inline constexpr const char* kContinuousLabel = "%";

// Channel A and channel B partners, in the order the link step visits them.
struct LinkedPair {
    SorvelParam a;
    SorvelParam b;
};

inline constexpr LinkedPair kLinkedPairs[] = {
    {kLowCutL, kLowCutR},     {kMidFreq1L, kMidFreq1R}, {kMidFreq2L, kMidFreq2R},
    {kMidFreq3L, kMidFreq3R}, {kMidFreq4L, kMidFreq4R}, {kLowFreqL, kLowFreqR},
    {kHighFreqL, kHighFreqR}, {kLowGainL, kLowGainR},   {kHighGainL, kHighGainR},
    {kMidGain1L, kMidGain1R}, {kMidGain2L, kMidGain2R}, {kMidGain3L, kMidGain3R},
    {kMidGain4L, kMidGain4R}, {kOutL, kOutR},
};
