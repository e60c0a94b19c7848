// Prints one line per decoded PNG: its size and a digest of its pixels. Built for Linux and for
// Windows, whose two outputs must be identical (compare_png_digests.sh): the Windows build
// decodes with its own cross-built libpng and zlib and reads the artwork from its resources.
// Covered: every artwork image (the 2x set also resampled as the editor scales it), a picture of
// every colour type and depth the decoder handles (whole and without its end chunk), and the PNG
// files named on the command line. Usage: png_digest [file.png ...]
#include "lice/DecodePngMemory.h"
#include "lice/LICE_Resample.h"
#include "resources/EmbeddedImages.h"
#include "tests/lice/TestPng.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

void PrintPixels(const std::string& label, LICE_MemBitmap* bitmap) {
    uint64_t digest = 14695981039346656037ull; // FNV-1a over the visible pixels, row by row
    for (int y = 0; y < bitmap->Height(); ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(bitmap->Bits() + y * bitmap->RowSpan());
        for (int i = 0; i < bitmap->Width() * 4; ++i)
            digest = (digest ^ row[i]) * 1099511628211ull;
    }
    std::printf("%s %dx%d %016llx\n", label.c_str(), bitmap->Width(), bitmap->Height(),
                static_cast<unsigned long long>(digest));
}

// The editor scales its 2x artwork for other display factors: those pixels must match too.
void PrintResampled(const std::string& label, LICE_MemBitmap* bitmap) {
    for (int eighths : {5, 6, 12}) { // the 2x artwork at 1.25, 1.5 and 3
        LICE_MemBitmap scaled((bitmap->Width() * eighths + 4) / 8,
                              (bitmap->Height() * eighths + 4) / 8);
        const bool made = LICE_Resample(&scaled, 0, 0, scaled.Width(), scaled.Height(), bitmap,
                                        LICE_Rect{0, 0, bitmap->Width(), bitmap->Height()});
        const std::string scaledLabel = label + " at " + std::to_string(eighths) + "/8";
        made ? PrintPixels(scaledLabel, &scaled)
             : (void)std::printf("%s refused\n", scaledLabel.c_str());
    }
}

void PrintDecoded(const std::string& label, const void* bytes, size_t length,
                  bool resampled = false) {
    std::unique_ptr<LICE_MemBitmap> bitmap(DecodePngMemory(bytes, length));
    if (!bitmap) {
        std::printf("%s refused\n", label.c_str());
        return;
    }
    PrintPixels(label, bitmap.get());
    if (resampled)
        PrintResampled(label, bitmap.get());
}

PngPicture Picture(int colourType, int bitDepth, int channels, bool interlaced) {
    PngPicture p;
    p.width = 13;
    p.height = 7;
    p.colourType = colourType;
    p.bitDepth = bitDepth;
    p.interlaced = interlaced;
    const int top = (1 << bitDepth) - 1;
    for (int i = 0; i < p.width * p.height * channels; ++i)
        p.samples.push_back((i * 37 + 11) % (top + 1));
    return p;
}

std::vector<PngPicture> Pictures() {
    std::vector<PngPicture> pictures;
    for (bool interlaced : {false, true}) {
        pictures.push_back(Picture(PNG_COLOR_TYPE_RGB_ALPHA, 8, 4, interlaced));
        pictures.push_back(Picture(PNG_COLOR_TYPE_RGB_ALPHA, 16, 4, interlaced));
        pictures.push_back(Picture(PNG_COLOR_TYPE_RGB, 8, 3, interlaced));
        pictures.push_back(Picture(PNG_COLOR_TYPE_RGB, 16, 3, interlaced));
        for (int depth : {1, 2, 4, 8, 16})
            pictures.push_back(Picture(PNG_COLOR_TYPE_GRAY, depth, 1, interlaced));
        pictures.push_back(Picture(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, interlaced));
        pictures.push_back(Picture(PNG_COLOR_TYPE_GRAY_ALPHA, 16, 2, interlaced));
    }
    PngPicture palette = Picture(PNG_COLOR_TYPE_PALETTE, 4, 1, false);
    for (int i = 0; i < 16; ++i)
        palette.paletteRgb.insert(palette.paletteRgb.end(),
                                  {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 7)});
    palette.paletteAlpha = {0, 64, 128, 200};
    pictures.push_back(palette);
    PngPicture keyed = Picture(PNG_COLOR_TYPE_GRAY, 8, 1, false);
    keyed.transparentGrey = 37;
    pictures.push_back(keyed);
    return pictures;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 0; i < EmbeddedImageCount(); ++i) {
        const EmbeddedImage* image = EmbeddedImageAt(i);
        PrintDecoded("image " + std::to_string(image->id), image->data, image->size,
                     image->id > 1000);
    }
    const std::vector<PngPicture> pictures = Pictures();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::vector<uint8_t> png = EncodePng(pictures[i]);
        const std::string label = "picture " + std::to_string(i);
        PrintDecoded(label, png.data(), png.size());
        PrintDecoded(label + " without its end", png.data(), png.size() - 12);
    }
    for (int i = 1; i < argc; ++i) {
        std::FILE* file = std::fopen(argv[i], "rb");
        std::vector<uint8_t> bytes;
        if (file) {
            uint8_t buffer[65536];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
                bytes.insert(bytes.end(), buffer, buffer + n);
            std::fclose(file);
        }
        const std::string name(argv[i]);
        PrintDecoded("file " + name.substr(name.find_last_of("/\\") + 1), bytes.data(),
                     bytes.size());
    }
    return 0;
}
