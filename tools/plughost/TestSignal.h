#pragma once

#include "tools/plughost/AudioFile.h"

namespace plughost {

// The input rendered when no file is given: four seconds of stereo music made in code, four
// strummed chords of decaying harmonic tones over a bass line with short noise hits, scaled
// so its loudest sample sits at -6 dBFS. The same rate always gives the same samples.
AudioData MakeTestSignal(double sampleRate);

inline constexpr double kTestSignalSeconds = 4.0;
inline constexpr double kTestSignalPeak = 0.5011872336272722; // -6 dBFS

} // namespace plughost
