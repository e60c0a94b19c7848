// libFuzzer entry for the PNG decoder: any bytes must either give nothing or a complete bitmap.

#include "lice/DecodePngMemory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LICE_MemBitmap* bitmap = DecodePngMemory(data, size);
    if (bitmap != nullptr) {
        if (bitmap->Width() <= 0 || bitmap->Height() <= 0 || bitmap->Bits() == nullptr)
            std::abort();
        // Reading every pixel lets the sanitizer see a buffer shorter than the size it reports.
        uint32_t mix = 0;
        for (int y = 0; y < bitmap->Height(); ++y)
            for (int x = 0; x < bitmap->Width(); ++x)
                mix ^= bitmap->Bits()[y * bitmap->RowSpan() + x];
        volatile uint32_t sink = mix;
        (void)sink;
        delete bitmap;
    }
    const std::string name(reinterpret_cast<const char*>(data), size);
    HasPngExtension(name.c_str());
    return 0;
}
