#include "vst3/sdk/FUID.h"

namespace Steinberg {

namespace {

int hexValue(char8 c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool FUID::isValid() const {
    for (char c : data)
        if (c != 0)
            return true;
    return false;
}

uint32 FUID::word(int index) const {
    auto byte = [this](int i) { return static_cast<uint32>(static_cast<uchar>(data[i])); };
    const bool com = kPlatformUidOrder == UidByteOrder::com;
    switch (index) {
    case 0:
        return com ? (byte(3) << 24 | byte(2) << 16 | byte(1) << 8 | byte(0))
                   : (byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3));
    case 1:
        return com ? (byte(5) << 24 | byte(4) << 16 | byte(7) << 8 | byte(6))
                   : (byte(4) << 24 | byte(5) << 16 | byte(6) << 8 | byte(7));
    default: {
        const int at = index == 2 ? 8 : 12;
        return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
    }
    }
}

void FUID::toString(char8* out) const {
    if (out == nullptr)
        return;
    static constexpr char8 digits[] = "0123456789ABCDEF";
    const uint32 words[4] = {getLong1(), getLong2(), getLong3(), getLong4()};
    int pos = 0;
    for (uint32 w : words)
        for (int shift = 28; shift >= 0; shift -= 4)
            out[pos++] = digits[(w >> shift) & 0xF];
    out[pos] = 0;
}

bool FUID::fromString(const char8* text) {
    if (text == nullptr)
        return false;
    uint32 words[4] = {};
    for (int i = 0; i < 32; ++i) {
        const int v = hexValue(text[i]);
        if (v < 0)
            return false;
        words[i / 8] = words[i / 8] << 4 | static_cast<uint32>(v);
    }
    if (text[32] != 0)
        return false;
    *this = FUID(words[0], words[1], words[2], words[3]);
    return true;
}

} // namespace Steinberg
