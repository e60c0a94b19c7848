#pragma once

#include "tools/plughost/AudioFile.h"
#include "tools/plughost/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

// RIFF WAVE in memory, for builds without libsndfile: PCM of 8, 16, 24 and 32 bits and IEEE
// float of 32 and 64 bits, plain or in the extensible header, any channel count.

// Decodes a whole file's bytes. `name` only goes into messages. A data chunk that runs past
// the end of the bytes keeps the whole frames that are there, as a header's size is a hint.
Status DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& name, AudioData& out);

// True when `encoding` (AudioFormat.h) is one EncodeWav writes.
bool WavHolds(int encoding);

// Encodes `audio` in `encoding`; integer encodings clip at full scale and count what they
// clipped. Fails only for audio a WAV file cannot hold (no channels, a rate beyond 32 bits,
// more than 4 GiB of samples).
Status EncodeWav(const AudioData& audio, int encoding, const std::string& name,
                 std::vector<std::uint8_t>& bytes, WriteReport& report);

} // namespace plughost
