// 16-byte interface and class identifiers built from four 32-bit words.
#pragma once

#include "vst3/sdk/FTypes.h"

#include <cstring>

namespace Steinberg {

// Windows stores an identifier as a COM GUID (first word and the two halves
// of the second word little-endian); every other platform stores all sixteen
// bytes big-endian. Both sides of a comparison must use the same rule.
enum class UidByteOrder { bigEndian, com };

inline constexpr UidByteOrder kPlatformUidOrder =
    COM_COMPATIBLE ? UidByteOrder::com : UidByteOrder::bigEndian;

struct UidBytes {
    char bytes[16];
};

constexpr UidBytes makeUidBytes(uint32 l1, uint32 l2, uint32 l3, uint32 l4,
                                UidByteOrder order = kPlatformUidOrder) {
    UidBytes out{};
    auto put = [&out](int at, uint32 word, int byteCount, bool littleEndian) {
        for (int i = 0; i < byteCount; ++i) {
            const int shift = littleEndian ? 8 * i : 8 * (byteCount - 1 - i);
            out.bytes[at + i] = static_cast<char>((word >> shift) & 0xFF);
        }
    };
    const bool com = order == UidByteOrder::com;
    put(0, l1, 4, com);
    put(4, l2 >> 16, 2, com);
    put(6, l2 & 0xFFFF, 2, com);
    put(8, l3, 4, false);
    put(12, l4, 4, false);
    return out;
}

// Identifiers arrive as raw 16-byte pointers: compare bytes, never as strings.
inline bool iidEqual(const void* a, const void* b) {
    return a != nullptr && b != nullptr && std::memcmp(a, b, 16) == 0;
}

class FUID {
  public:
    constexpr FUID() : data{} {}
    constexpr FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
        const UidBytes b = makeUidBytes(l1, l2, l3, l4);
        for (int i = 0; i < 16; ++i)
            data[i] = b.bytes[i];
    }

    static FUID fromTUID(const char* bytes) {
        FUID id;
        if (bytes != nullptr)
            std::memcpy(id.data, bytes, 16);
        return id;
    }

    // Lets an identifier be passed wherever the interfaces take a TUID.
    constexpr operator const char*() const { return data; }
    void toTUID(TUID out) const { std::memcpy(out, data, 16); }

    uint32 getLong1() const { return word(0); }
    uint32 getLong2() const { return word(1); }
    uint32 getLong3() const { return word(2); }
    uint32 getLong4() const { return word(3); }

    bool isValid() const;

    // 32 uppercase hex digits of the four words, identical on every platform;
    // `out` must hold 33 characters.
    void toString(char8* out) const;
    // Accepts exactly 32 hex digits (either case); leaves the id unchanged otherwise.
    bool fromString(const char8* text);

    bool operator==(const FUID& other) const { return std::memcmp(data, other.data, 16) == 0; }
    bool operator!=(const FUID& other) const { return !(*this == other); }
    bool operator<(const FUID& other) const { return std::memcmp(data, other.data, 16) < 0; }

  private:
    uint32 word(int index) const;

    char data[16];
};

static_assert(sizeof(FUID) == 16);

} // namespace Steinberg
