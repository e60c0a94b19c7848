#pragma once

#include <string>
#include <string_view>

namespace plughost {

// An audio file format as one word: the container in the high half, the sample encoding in
// the low half. The numbers are libsndfile's, so the build that writes through libsndfile
// hands them over unchanged and every build names formats alike.
namespace format {
inline constexpr int kWav = 0x010000;
inline constexpr int kAiff = 0x020000;
inline constexpr int kAu = 0x030000;
inline constexpr int kW64 = 0x0B0000;
inline constexpr int kWavEx = 0x130000;
inline constexpr int kFlac = 0x170000;
inline constexpr int kRf64 = 0x220000;
inline constexpr int kOgg = 0x200000;
inline constexpr int kMpeg = 0x230000;

inline constexpr int kPcmS8 = 0x0001;
inline constexpr int kPcm16 = 0x0002;
inline constexpr int kPcm24 = 0x0003;
inline constexpr int kPcm32 = 0x0004;
inline constexpr int kPcmU8 = 0x0005;
inline constexpr int kFloat = 0x0006;
inline constexpr int kDouble = 0x0007;
inline constexpr int kVorbis = 0x0060;
inline constexpr int kMpegLayer3 = 0x0082;

inline constexpr int kContainerMask = 0x0FFF0000;
inline constexpr int kEncodingMask = 0x0000FFFF;

constexpr int Container(int format) {
    return format & kContainerMask;
}
constexpr int Encoding(int format) {
    return format & kEncodingMask;
}
constexpr bool IsInteger(int encoding) {
    return encoding != kFloat && encoding != kDouble;
}
} // namespace format

// Maps "wav", "flac", "aiff" (or "aif", "aifc"), "ogg" and "mp3" to a container; 0 when
// unknown. Whether the build can write it is CheckWritable's to say.
int ContainerForName(std::string_view name);

// The lowercase extension of a UTF-8 path's file name, without the dot; empty when none.
std::string ExtensionOf(const std::string& path);

} // namespace plughost
