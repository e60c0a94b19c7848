// Writes one small PNG of every colour type and depth the decoder handles, as the fuzzer's
// starting corpus. Usage: png_seed_writer <directory>

#include "TestPng.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

PngPicture Seed(int colourType, int bitDepth, int channels, bool interlaced) {
    PngPicture p;
    p.width = 9;
    p.height = 5;
    p.colourType = colourType;
    p.bitDepth = bitDepth;
    p.interlaced = interlaced;
    const int top = (1 << bitDepth) - 1;
    for (int i = 0; i < p.width * p.height * channels; ++i)
        p.samples.push_back((i * 37) % (top + 1));
    return p;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    std::vector<PngPicture> seeds = {
        Seed(PNG_COLOR_TYPE_RGB_ALPHA, 8, 4, false),  Seed(PNG_COLOR_TYPE_RGB, 8, 3, true),
        Seed(PNG_COLOR_TYPE_RGB_ALPHA, 16, 4, false), Seed(PNG_COLOR_TYPE_GRAY, 1, 1, false),
        Seed(PNG_COLOR_TYPE_GRAY, 2, 1, true),        Seed(PNG_COLOR_TYPE_GRAY, 4, 1, false),
        Seed(PNG_COLOR_TYPE_GRAY, 16, 1, false),      Seed(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, false),
    };
    PngPicture palette = Seed(PNG_COLOR_TYPE_PALETTE, 4, 1, false);
    for (int i = 0; i < 16; ++i)
        palette.paletteRgb.insert(palette.paletteRgb.end(),
                                  {uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 7)});
    palette.paletteAlpha = {0, 64, 128, 200};
    seeds.push_back(palette);
    PngPicture keyed = Seed(PNG_COLOR_TYPE_GRAY, 8, 1, false);
    keyed.transparentGrey = 37;
    seeds.push_back(keyed);

    for (size_t i = 0; i < seeds.size(); ++i) {
        const std::vector<uint8_t> png = EncodePng(seeds[i]);
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(i) + ".png";
        if (png.empty() || !WriteFile(path, png)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
