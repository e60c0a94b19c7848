#pragma once

#include <cstdint>

// One legal channel configuration: this many inputs with this many outputs.
struct ChannelIoPair {
    int32_t inputs = 0;
    int32_t outputs = 0;
};
