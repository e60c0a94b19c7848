#pragma once

#include "engine/EngineState.h"

// Maps every selector mirror to its frequency and redesigns the fourteen equaliser sections for
// a host running at sampleRate Hz; the sections run at eight times that rate. Section state is
// kept. A selector holding none of its values keeps its previous frequency.
// Audio thread, under the plug-in lock, at the start of every block (also an empty one).
void UpdateFilters(EngineState& state, double sampleRate);
