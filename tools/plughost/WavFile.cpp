#include "tools/plughost/WavFile.h"

#include "tools/plughost/PcmQuantiser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace plughost {

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
constexpr int kMaxChannels = 1024;

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// A sample of `bits` at `p` scaled so integer full scale is 1.0; non-finite floats become 0.
double ReadSample(const std::uint8_t* p, const WavSamples& layout) {
    if (layout.isFloat) {
        double v;
        if (layout.bits == 32) {
            float f;
            const std::uint32_t word = Le32(p);
            std::memcpy(&f, &word, 4);
            v = f;
        } else {
            const std::uint64_t word = Le32(p) | (std::uint64_t{Le32(p + 4)} << 32);
            std::memcpy(&v, &word, 8);
        }
        return std::isfinite(v) ? v : 0.0;
    }
    switch (layout.bits) {
    case 8:
        return (p[0] - 128) / 128.0;
    case 16:
        return static_cast<std::int16_t>(Le16(p)) / 32768.0;
    case 24:
        return static_cast<std::int32_t>((p[0] << 8) | (p[1] << 16) | (std::uint32_t{p[2]} << 24)) /
               2147483648.0;
    default:
        return static_cast<std::int32_t>(Le32(p)) / 2147483648.0;
    }
}

Status ReadFormat(const std::uint8_t* p, std::uint32_t size, const std::string& name,
                  WavSamples& layout) {
    const auto fail = [&](const std::string& why) {
        return Status::Fail("cannot read audio file '" + name + "': " + why);
    };
    if (size < 16)
        return fail("its format chunk is too short");
    std::uint16_t tag = Le16(p);
    const int channels = Le16(p + 2);
    const std::uint32_t rate = Le32(p + 4);
    const int blockAlign = Le16(p + 12);
    const int bits = Le16(p + 14);
    // The extensible header names the real encoding in the first two bytes of its sub-format.
    if (tag == kTagExtensible && size >= 40)
        tag = Le16(p + 24);
    if (tag != kTagPcm && tag != kTagFloat)
        return Status::Fail("unsupported audio file '" + name + "': WAV encoding " +
                            std::to_string(tag) + " is not PCM or float");
    const bool isFloat = tag == kTagFloat;
    const bool knownBits =
        isFloat ? bits == 32 || bits == 64 : bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!knownBits)
        return Status::Fail("unsupported audio file '" + name + "': " + std::to_string(bits) +
                            "-bit " + (isFloat ? "float" : "PCM") + " samples");
    if (channels < 1 || channels > kMaxChannels || rate < 1)
        return fail("no channels or no sample rate");
    if (blockAlign != channels * bits / 8)
        return fail("its frame size does not match its channels and bits");
    layout.isFloat = isFloat;
    layout.bits = bits;
    layout.channels = channels;
    layout.rate = static_cast<double>(rate);
    return Status::Ok();
}

// The first four bytes of containers a user might hand over instead.
const char* OtherContainer(const std::uint8_t* bytes, size_t size) {
    struct Magic {
        const char* bytes;
        const char* name;
    };
    static constexpr Magic kMagics[] = {
        {"fLaC", "FLAC"},
        {"FORM", "AIFF"},
        {".snd", "AU"},
        {"OggS", "Ogg"},
        {"RF64", "RF64"},
        {"riff", "W64"},
        {"RIFX", "big-endian WAV"},
    };
    for (const Magic& m : kMagics)
        if (size >= 4 && std::memcmp(bytes, m.bytes, 4) == 0)
            return m.name;
    return nullptr;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// The sample width of an encoding a WAV file holds: PCM's own, else 64 for doubles and 32 for
// floats.
int BitsOf(int encoding) {
    if (const int pcm = PcmBits(encoding))
        return pcm;
    return encoding == format::kDouble ? 64 : 32;
}

// The sample as a `bits`-bit integer; counts what lay beyond full scale.
std::int64_t Quantise(double v, int bits, std::int64_t& clipped) {
    if (std::fabs(v) > 1.0)
        ++clipped;
    return static_cast<std::int64_t>(QuantisePcm(v, bits) * std::ldexp(1.0, bits - 1));
}

} // namespace

int WavSamples::Encoding() const {
    if (isFloat)
        return bits == 32 ? format::kFloat : format::kDouble;
    return bits == 8    ? format::kPcmU8
           : bits == 16 ? format::kPcm16
           : bits == 24 ? format::kPcm24
                        : format::kPcm32;
}

Status FindWavSamples(const WavByteReader& read, std::uint64_t fileSize, const std::string& name,
                      WavSamples& out) {
    const auto fail = [&](const std::string& why) {
        return Status::Fail("cannot read audio file '" + name + "': " + why);
    };
    std::uint8_t head[12] = {};
    const size_t headBytes = read(0, head, sizeof(head));
    if (headBytes < 12 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0) {
        if (const char* other = OtherContainer(head, headBytes))
            return Status::Fail("unsupported audio file '" + name + "': it is " + other +
                                ", and this build of plughost reads only WAV");
        return fail("not a WAV file");
    }
    bool haveFormat = false;
    std::uint64_t at = 12;
    while (fileSize >= at && fileSize - at >= 8) {
        std::uint8_t chunk[8];
        if (read(at, chunk, 8) < 8)
            break;
        const std::uint32_t declared = Le32(chunk + 4);
        const std::uint64_t body = at + 8;
        const std::uint64_t available = fileSize - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (declared > available)
                return fail("its format chunk is cut short");
            std::vector<std::uint8_t> formatBytes(std::max<std::uint32_t>(declared, 1));
            if (read(body, formatBytes.data(), declared) < declared)
                return fail("its format chunk is cut short");
            if (Status s = ReadFormat(formatBytes.data(), declared, name, out); !s)
                return s;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return fail("its samples come before their format");
            out.offset = body;
            out.declaredBytes = declared;
            out.availableBytes = available;
            return Status::Ok();
        }
        // Chunks are padded to an even length.
        at = body + std::min<std::uint64_t>(available, std::uint64_t{declared} + (declared & 1));
    }
    return fail(haveFormat ? "it has no data chunk" : "it has no format chunk");
}

void DecodeWavInterleaved(const std::uint8_t* bytes, const WavSamples& layout, size_t frames,
                          double* interleaved) {
    const size_t sampleBytes = static_cast<size_t>(layout.bits / 8);
    const size_t samples = frames * static_cast<size_t>(layout.channels);
    for (size_t i = 0; i < samples; ++i, bytes += sampleBytes)
        interleaved[i] = ReadSample(bytes, layout);
}

Status DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& name, AudioData& out) {
    const auto readBytes = [&](std::uint64_t offset, std::uint8_t* to, size_t count) {
        if (offset >= bytes.size() || count == 0)
            return size_t{0};
        const size_t n = std::min<size_t>(count, bytes.size() - static_cast<size_t>(offset));
        std::memcpy(to, bytes.data() + offset, n);
        return n;
    };
    WavSamples layout;
    if (Status s = FindWavSamples(readBytes, bytes.size(), name, layout); !s)
        return s;
    const size_t frames = static_cast<size_t>(
        std::min(layout.declaredBytes, layout.availableBytes) / layout.FrameBytes());
    if (frames == 0)
        return Status::Fail("audio file '" + name + "' holds no samples");
    out.sampleRate = layout.rate;
    out.sourceFormat = format::kWav | layout.Encoding();
    out.channels.assign(static_cast<size_t>(layout.channels), std::vector<double>(frames));
    const std::uint8_t* p = bytes.data() + layout.offset;
    for (size_t i = 0; i < frames; ++i)
        for (auto& channel : out.channels) {
            channel[i] = ReadSample(p, layout);
            p += layout.bits / 8;
        }
    return Status::Ok();
}

bool WavHolds(int encoding) {
    switch (encoding) {
    case format::kPcmU8:
    case format::kPcm16:
    case format::kPcm24:
    case format::kPcm32:
    case format::kFloat:
    case format::kDouble:
        return true;
    default:
        return false;
    }
}

Status WavHeader(int channels, double sampleRate, int encoding, std::uint64_t frames,
                 const std::string& name, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const double rate = std::round(sampleRate);
    if (channels < 1 || channels > kMaxChannels || !(rate >= 1 && rate <= 4294967295.0) ||
        !WavHolds(encoding))
        return Status::Fail("nothing to write to '" + name + "'");
    const int bits = BitsOf(encoding);
    const bool isFloat = !format::IsInteger(encoding);
    const std::uint64_t blockAlign = static_cast<std::uint64_t>(channels) * (bits / 8);
    const std::uint64_t dataBytes = frames * blockAlign;
    const std::uint32_t formatBytes = isFloat ? 18 : 16;
    const std::uint32_t factBytes = isFloat ? 12 : 0;
    const std::uint64_t riffBytes =
        4 + 8 + formatBytes + factBytes + 8 + dataBytes + (dataBytes & 1);
    if (frames > std::numeric_limits<std::uint32_t>::max() ||
        riffBytes > std::numeric_limits<std::uint32_t>::max())
        return Status::Fail("cannot write '" + name + "': the audio is too long for a WAV file");

    PutTag(bytes, "RIFF");
    Put32(bytes, static_cast<std::uint32_t>(riffBytes));
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, formatBytes);
    Put16(bytes, isFloat ? kTagFloat : kTagPcm);
    Put16(bytes, static_cast<std::uint32_t>(channels));
    Put32(bytes, static_cast<std::uint32_t>(rate));
    Put32(bytes, static_cast<std::uint32_t>(
                     std::min(rate * static_cast<double>(blockAlign), 4294967295.0)));
    Put16(bytes, static_cast<std::uint32_t>(blockAlign));
    Put16(bytes, static_cast<std::uint32_t>(bits));
    if (isFloat) {
        Put16(bytes, 0);
        // Every encoding but PCM names its frame count in a fact chunk.
        PutTag(bytes, "fact");
        Put32(bytes, 4);
        Put32(bytes, static_cast<std::uint32_t>(frames));
    }
    PutTag(bytes, "data");
    Put32(bytes, static_cast<std::uint32_t>(dataBytes));
    return Status::Ok();
}

void EncodeWavFrames(const double* const* channels, int channelCount, size_t frames, int encoding,
                     std::vector<std::uint8_t>& bytes, std::int64_t& clipped) {
    const int bits = BitsOf(encoding);
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channelCount; ++c) {
            const double v = channels[c][i];
            if (encoding == format::kDouble) {
                std::uint64_t word;
                std::memcpy(&word, &v, 8);
                Put32(bytes, static_cast<std::uint32_t>(word));
                Put32(bytes, static_cast<std::uint32_t>(word >> 32));
            } else if (encoding == format::kFloat) {
                const float f = static_cast<float>(v);
                std::uint32_t word;
                std::memcpy(&word, &f, 4);
                Put32(bytes, word);
            } else {
                const std::int64_t q = Quantise(v, bits, clipped);
                const auto word = static_cast<std::uint32_t>(bits == 8 ? q + 128 : q);
                for (int b = 0; b < bits / 8; ++b)
                    bytes.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
            }
        }
}

Status EncodeWav(const AudioData& audio, int encoding, const std::string& name,
                 std::vector<std::uint8_t>& bytes, WriteReport& report) {
    report = {};
    const auto frames = static_cast<std::uint64_t>(audio.FrameCount());
    if (Status s = WavHeader(audio.ChannelCount(), audio.sampleRate, encoding, frames, name, bytes);
        !s)
        return s;
    std::vector<const double*> pointers;
    for (const auto& channel : audio.channels)
        pointers.push_back(channel.data());
    EncodeWavFrames(pointers.data(), audio.ChannelCount(), static_cast<size_t>(frames), encoding,
                    bytes, report.clippedSamples);
    // The data chunk is padded to an even length.
    if (frames * static_cast<std::uint64_t>(audio.ChannelCount() * BitsOf(encoding) / 8) & 1)
        bytes.push_back(0);
    return Status::Ok();
}

} // namespace plughost
