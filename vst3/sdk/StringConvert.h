// Fixed-field text copies across the VST 3 boundary. Every copy stops at the
// source terminator or when the destination is full, and always leaves the
// destination terminated: a text that fills a field is cut by one character.
#pragma once

#include "vst3/sdk/FTypes.h"

namespace Steinberg {

// Sign-extends each byte, as the host side expects of 8-bit text widened
// without decoding (UTF-8 "\xC3" becomes 0xFFC3).
inline char16 widenChar(char8 c) {
    return static_cast<char16>(static_cast<int16>(static_cast<signed char>(c)));
}

// Keeps the low byte; characters outside Latin-1 are not representable.
inline char8 narrowChar(char16 c) {
    return static_cast<char8>(static_cast<uint8>(c & 0xFF));
}

inline int32 strlen16(const char16* s) {
    int32 n = 0;
    if (s)
        while (s[n] != 0)
            ++n;
    return n;
}

// The one copy loop behind the four fixed-field copies; dstCount is the
// capacity in characters, terminator included.
template <typename Dst, typename Src, typename Convert>
inline void copyTerminated(Dst* dst, const Src* src, int32 dstCount, Convert convert) {
    if (dst == nullptr || dstCount <= 0)
        return;
    int32 i = 0;
    if (src)
        for (; i < dstCount - 1 && src[i] != 0; ++i)
            dst[i] = convert(src[i]);
    dst[i] = 0;
}

inline void str8ToStr16(char16* dst, const char8* src, int32 dstCount) {
    copyTerminated(dst, src, dstCount, widenChar);
}

inline void str16ToStr8(char8* dst, const char16* src, int32 dstCount) {
    copyTerminated(dst, src, dstCount, narrowChar);
}

inline void strncpy8(char8* dst, const char8* src, int32 dstCount) {
    copyTerminated(dst, src, dstCount, [](char8 c) { return c; });
}

inline void strncpy16(char16* dst, const char16* src, int32 dstCount) {
    copyTerminated(dst, src, dstCount, [](char16 c) { return c; });
}

// Null-safe comparison of 16-bit texts (a null text equals an empty one).
inline bool strEqual16(const char16* a, const char16* b) {
    const char16 empty = 0;
    if (!a)
        a = &empty;
    if (!b)
        b = &empty;
    for (; *a != 0 && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// Decodes UTF-16 (surrogate pairs included; a lone surrogate becomes U+FFFD)
// into UTF-8, never splitting a character; dstBytes includes the terminator.
inline void utf16ToUtf8(char8* dst, const char16* src, int32 dstBytes) {
    if (dst == nullptr || dstBytes <= 0)
        return;
    int32 out = 0;
    for (int32 i = 0; src && src[i] != 0; ++i) {
        uint32 cp = src[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (src[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        const int32 len = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (out + len > dstBytes - 1)
            break;
        if (len == 1) {
            dst[out++] = static_cast<char8>(cp);
            continue;
        }
        static constexpr uint32 lead[5] = {0, 0, 0xC0, 0xE0, 0xF0};
        dst[out++] = static_cast<char8>(lead[len] | (cp >> (6 * (len - 1))));
        for (int32 k = len - 2; k >= 0; --k)
            dst[out++] = static_cast<char8>(0x80 | ((cp >> (6 * k)) & 0x3F));
    }
    dst[out] = 0;
}

} // namespace Steinberg
