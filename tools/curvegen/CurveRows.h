#pragma once

// The rows every saturation table must pass through: entry index, then the output magnitude
// for an input magnitude of index / 1990 on the positive and on the negative side. The
// generator pins the tables to these values and the engine tests check them.
struct CurveRow {
    int entry;
    float positive;
    float negative;
};

inline constexpr CurveRow CurveRows[] = {
    {0, 0.0f, 0.0f},
    {1, 0.0004703927f, 0.000470386f},
    {2, 0.00094149256f, 0.0009414721f},
    {3, 0.0014132602f, 0.0014132193f},
    {5, 0.0023586522f, 0.0023585504f},
    {10, 0.0047314567f, 0.0047310954f},
    {15, 0.0071148933f, 0.00711413f},
    {20, 0.009506321f, 0.009505025f},
    {30, 0.014305711f, 0.01430299f},
    {40, 0.019118998f, 0.019114405f},
    {50, 0.023940196f, 0.0239333f},
    {60, 0.028765937f, 0.028756322f},
    {70, 0.033594318f, 0.033581574f},
    {80, 0.038424276f, 0.038407985f},
    {90, 0.043255202f, 0.043234967f},
    {100, 0.048086762f, 0.048062168f},
    {110, 0.052918762f, 0.052889403f},
    {120, 0.057751093f, 0.057716567f},
    {130, 0.0625837f, 0.06254359f},
    {140, 0.067416534f, 0.067370445f},
    {150, 0.07224959f, 0.07219711f},
    {160, 0.07708285f, 0.07702357f},
    {170, 0.08191631f, 0.08184983f},
    {180, 0.08674996f, 0.08667587f},
    {190, 0.0915838f, 0.0915017f},
    {199, 0.09593442f, 0.09584475f},
};
