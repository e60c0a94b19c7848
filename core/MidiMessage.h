#pragma once

#include <cstdint>

// A three-byte MIDI message stamped with its frame offset in the block.
struct MidiMessage {
    int32_t offset = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};
