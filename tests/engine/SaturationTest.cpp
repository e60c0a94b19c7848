#include "engine/Saturate.h"
#include "engine/SaturationCurves.h"
#include "tools/curvegen/CurveRows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Half {
    const char* name;
    const float* table;
};
const Half Halves[] = {{"PositiveCurve", PositiveCurve}, {"NegativeCurve", NegativeCurve}};

// Slope between entries i and i + span, in output per unit of input.
double Slope(const float* table, int i, int span = 1) {
    return (static_cast<double>(table[i + span]) - table[i]) * CurveScale / span;
}

} // namespace

TEST(SaturationCurves, PassThroughThePinnedRowsAndRiseStrictly) {
    for (const CurveRow& row : CurveRows) {
        EXPECT_EQ(PositiveCurve[row.entry], row.positive) << "PositiveCurve entry " << row.entry;
        EXPECT_EQ(NegativeCurve[row.entry], row.negative) << "NegativeCurve entry " << row.entry;
    }
    for (const Half& half : Halves)
        for (int i = 1; i < CurveEntries; ++i)
            EXPECT_GT(half.table[i], half.table[i - 1]) << half.name << " entry " << i;
}

TEST(SaturationCurves, SlopeSoftensTheStartAndThenDiffersPerSide) {
    for (const Half& half : Halves)
        EXPECT_NEAR(Slope(half.table, 0), 0.936, 5e-4) << half.name;

    // Ten-entry spans average out the single-precision rounding of the entries.
    int steepest = 0;
    for (int i = 0; i + 10 < CurveEntries; i += 10)
        if (Slope(NegativeCurve, i, 10) > Slope(NegativeCurve, steepest, 10))
            steepest = i;
    EXPECT_GE(steepest, 80) << "NegativeCurve is steepest near entry 100";
    EXPECT_LE(steepest, 120) << "NegativeCurve is steepest near entry 100";
    EXPECT_NEAR(Slope(NegativeCurve, steepest, 10), 0.9606, 2e-4);
    EXPECT_NEAR(Slope(NegativeCurve, 189, 10), 0.9603, 2e-4) << "NegativeCurve at the top";
    for (int i = steepest; i + 20 < CurveEntries; i += 10)
        EXPECT_LE(Slope(NegativeCurve, i + 10, 10), Slope(NegativeCurve, i, 10))
            << "NegativeCurve falls after " << i;

    for (int i = 0; i + 20 < CurveEntries; i += 10)
        EXPECT_GE(Slope(PositiveCurve, i + 10, 10), Slope(PositiveCurve, i, 10))
            << "PositiveCurve rises after " << i;
    EXPECT_NEAR(Slope(PositiveCurve, 95, 10), 0.9615, 2e-4) << "PositiveCurve at entry 100";
    EXPECT_NEAR(Slope(PositiveCurve, 189, 10), 0.9620, 2e-4) << "PositiveCurve at the top";
}

TEST(Saturate, InterpolatesTheTableOfItsSignAndHoldsTheEnd) {
    const double halfway = 10.5 / CurveScale;
    EXPECT_NEAR(Saturate(halfway),
                (static_cast<double>(PositiveCurve[10]) + PositiveCurve[11]) / 2.0, 1e-15);
    EXPECT_NEAR(Saturate(-halfway),
                -(static_cast<double>(NegativeCurve[10]) + NegativeCurve[11]) / 2.0, 1e-15);
    EXPECT_GT(Saturate(0.03), -Saturate(-0.03)) << "the halves differ: positive side is louder";
    EXPECT_EQ(Saturate(0.0), 0.0);
    EXPECT_TRUE(std::signbit(Saturate(-0.0))) << "negative zero keeps its sign";

    const double top = PositiveCurve[CurveEntries - 1];
    const double bottom = -static_cast<double>(NegativeCurve[CurveEntries - 1]);
    for (double x : {199.0 / CurveScale, 0.2, 1e6, HUGE_VAL}) {
        EXPECT_EQ(Saturate(x), top) << "input " << x;
        EXPECT_EQ(Saturate(-x), bottom) << "input " << -x;
    }
    EXPECT_EQ(Saturate(std::nan("")), 0.0) << "a NaN is silenced";
}
