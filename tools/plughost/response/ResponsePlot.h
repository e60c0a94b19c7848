#pragma once

#include "tools/plughost/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

struct ResponsePlotData {
    std::string title;    // the plug-in and its settings
    std::string subtitle; // how it was measured
    double nyquist = 24000;
    std::vector<double> hz; // rising, shared by every curve
    struct Curve {
        std::string label;
        std::vector<double> gainDb;
    };
    std::vector<Curve> curves;
};

inline constexpr int kPlotWidth = 1000;
inline constexpr int kPlotHeight = 560;

// Draws gain against a logarithmic frequency axis from 10 Hz to the Nyquist frequency, with
// a grid, labelled ticks, a legend and the title, and encodes the picture as PNG.
Status DrawResponsePlot(const ResponsePlotData& data, std::vector<std::uint8_t>& png);

// cairo and fontconfig keep their font caches for the life of the process; the command hands
// them back once it has drawn, so that a leak checker sees only plughost's own memory. No
// drawing may follow in the same process.
void ReleasePlotCaches();

} // namespace plughost
