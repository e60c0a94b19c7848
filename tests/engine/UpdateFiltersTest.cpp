#include "engine/UpdateFilters.h"

#include <gtest/gtest.h>

TEST(UpdateFilters, SelectorValuesMapToFrequenciesInValueOrder) {
    struct Expected {
        EqBand band;
        const char* name;
        double hz[3]; // 0: the selector has no such value
    };
    const Expected table[] = {
        {LowBand, "low band", {20, 60, 40}},       {MidBand1, "mid band 1", {80, 120, 0}},
        {MidBand2, "mid band 2", {400, 800, 630}}, {MidBand3, "mid band 3", {1000, 3000, 2000}},
        {MidBand4, "mid band 4", {5000, 8000, 0}}, {HighBand, "high band", {12000, 15000, 20000}},
        {LowCut, "low cut", {25, 1, 0}},
    };
    EngineState state;
    for (const Expected& row : table) {
        for (int c = 0; c < ChannelCount; ++c) {
            double previous = 0.0;
            for (int value : {0, 1, 2}) {
                state.selectorMirror[row.band][c] = value;
                UpdateFilters(state, 48000.0);
                const double want = row.hz[value] != 0 ? row.hz[value] : previous;
                EXPECT_EQ(state.frequency[row.band][c], want)
                    << row.name << ", channel " << c << ", value " << value;
                EXPECT_EQ(state.eq[row.band][c].Fc, want / 48000.0 * 0.125)
                    << row.name << ", channel " << c;
                previous = state.frequency[row.band][c];
            }
            state.selectorMirror[row.band][c] = 0.5;
            UpdateFilters(state, 48000.0);
            EXPECT_EQ(state.frequency[row.band][c], previous)
                << row.name << ": 0.5 selects nothing";
        }
    }
}

TEST(UpdateFilters, RedesignKeepsTheRunningState) {
    EngineState state;
    state.gainMirror[MidBand3][ChannelB] = -4.5;
    UpdateFilters(state, 44100.0);
    BiquadSection& section = state.eq[MidBand3][ChannelB];
    for (int i = 0; i < 10; ++i)
        section.Process(0.3);
    const double z1 = section.z1;
    const double z2 = section.z2;
    state.gainMirror[MidBand3][ChannelB] = 4.5;
    UpdateFilters(state, 96000.0);
    EXPECT_EQ(section.z1, z1);
    EXPECT_EQ(section.z2, z2);
    EXPECT_GT(section.a0, 1.0) << "the boost must be designed in";
}
