#include "TestPng.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

int ChannelsOf(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    default:
        return 1;
    }
}

std::vector<uint8_t> PackRows(const PngPicture& picture) {
    const int perRow = picture.width * ChannelsOf(picture.colourType);
    const size_t rowBytes = (size_t(perRow) * picture.bitDepth + 7) / 8;
    std::vector<uint8_t> packed(rowBytes * picture.height, 0);
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row = packed.data() + y * rowBytes;
        for (int i = 0; i < perRow; ++i) {
            const int value = picture.samples[size_t(y) * perRow + i];
            if (picture.bitDepth == 16) {
                row[2 * i] = uint8_t(value >> 8);
                row[2 * i + 1] = uint8_t(value);
            } else if (picture.bitDepth == 8) {
                row[i] = uint8_t(value);
            } else {
                const int bit = i * picture.bitDepth;
                row[bit / 8] |= uint8_t(value << (8 - picture.bitDepth - bit % 8));
            }
        }
    }
    return packed;
}

// Kept apart from EncodePng because libpng reports errors with longjmp: nothing here has a
// destructor that could be skipped.
bool WritePicture(png_structp png, png_infop info, const PngPicture& picture, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    const int entries = int(picture.paletteRgb.size() / 3);
    for (int i = 0; i < entries; ++i)
        palette[i] = {picture.paletteRgb[3 * i], picture.paletteRgb[3 * i + 1],
                      picture.paletteRgb[3 * i + 2]};
    if (entries > 0)
        png_set_PLTE(png, info, palette, entries);
    if (!picture.paletteAlpha.empty())
        png_set_tRNS(png, info, picture.paletteAlpha.data(), int(picture.paletteAlpha.size()),
                     nullptr);
    if (picture.transparentGrey >= 0) {
        png_color_16 key{};
        key.gray = png_uint_16(picture.transparentGrey);
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const PngPicture& picture) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> packed = PackRows(picture);
    std::vector<png_bytep> rows(picture.height);
    const size_t rowBytes = picture.height > 0 ? packed.size() / picture.height : 0;
    for (int y = 0; y < picture.height; ++y)
        rows[y] = packed.data() + y * rowBytes;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, Flush);
    const bool written = WritePicture(png, info, picture, rows.data());
    png_destroy_write_struct(&png, &info);
    if (!written)
        out.clear();
    return out;
}

size_t EndOfLastChunk(const std::vector<uint8_t>& png, const char* type) {
    size_t end = 0;
    for (size_t at = 8; at + 12 <= png.size();) {
        const size_t length = size_t(png[at]) << 24 | size_t(png[at + 1]) << 16 |
                              size_t(png[at + 2]) << 8 | png[at + 3];
        const size_t next = at + 12 + length;
        if (std::memcmp(&png[at + 4], type, 4) == 0)
            end = next;
        at = next;
    }
    return end;
}
