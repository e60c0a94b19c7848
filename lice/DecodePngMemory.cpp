#include "lice/DecodePngMemory.h"

#include "lice/LiceAllocation.h"
#include "lice/PngMemoryReader.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// A header claiming a huge image would otherwise make us allocate it before the (tiny) data runs
// out. The editor's largest strip is far below this.
constexpr png_uint_32 kMaxSide = 65536;
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

// libpng allocates a chunk's whole declared length before reading it, and only warns when that
// passes its own chunk limit: a few bytes claiming a 2 GB text chunk would get 2 GB. No block the
// decoder legitimately needs (rows of at most kMaxSide pixels, palettes, zlib state) comes near
// this.
constexpr size_t kMaxDecoderBlock = 8000000;

png_voidp AllocateForDecoder(png_structp, png_alloc_size_t bytes) {
    return bytes <= kMaxDecoderBlock ? LICE_Allocate(bytes) : nullptr;
}

void FreeForDecoder(png_structp, png_voidp block) {
    LICE_Free(block);
}

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    if (!static_cast<PngMemoryReader*>(png_get_io_ptr(png))->Read(out, count))
        png_error(png, "read far past the end of the image");
}

// Failures carry no message: the caller decides what to draw instead.
void StopDecoding(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

// Everything one decode owns, so that it can be released whichever way the decode ends.
struct DecodeJob {
    png_structp png;
    png_infop info;
    PngMemoryReader* reader;
    LICE_MemBitmap* bitmap;
    png_bytep* rows;
};

void RequestArgbRows(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;

    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_set_tRNS_to_alpha(png);
        hasAlpha = true;
    }
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (bitDepth < 8)
        png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (hasAlpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// The only function that calls setjmp: it owns nothing with a destructor, and everything it
// creates is recorded in the job for the caller to release.
bool DecodeInto(DecodeJob* job) {
    if (setjmp(png_jmpbuf(job->png)) != 0)
        return false;

    png_read_info(job->png, job->info);
    const png_uint_32 width = png_get_image_width(job->png, job->info);
    const png_uint_32 height = png_get_image_height(job->png, job->info);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        uint64_t{width} * height > kMaxPixels)
        return false;
    RequestArgbRows(job->png, job->info);
    // The rows are decoded straight into the bitmap, so they must come out exactly 4 bytes a pixel.
    if (png_get_rowbytes(job->png, job->info) != size_t{width} * 4)
        return false;

    job->bitmap = new (std::nothrow) LICE_MemBitmap();
    if (job->bitmap == nullptr)
        return false;
    job->bitmap->Resize(int(width), int(height));
    if (job->bitmap->Width() != int(width) || job->bitmap->Height() != int(height))
        return false;

    job->rows = static_cast<png_bytep*>(LICE_Allocate(sizeof(png_bytep) * height));
    if (job->rows == nullptr)
        return false;
    unsigned char* first = reinterpret_cast<unsigned char*>(job->bitmap->Bits());
    const size_t rowBytes = size_t(job->bitmap->RowSpan()) * 4;
    for (png_uint_32 y = 0; y < height; ++y)
        job->rows[y] = first + y * rowBytes;
    png_read_image(job->png, job->rows);
    return true;
}

// A, R, G, B in memory becomes B, G, R, A.
void ReverseBytes(LICE_MemBitmap* bitmap) {
    const int width = bitmap->Width(), height = bitmap->Height(), span = bitmap->RowSpan();
    LICE_pixel* row = bitmap->Bits();
    for (int y = 0; y < height; ++y, row += span)
        for (int x = 0; x < width; ++x)
            row[x] = (row[x] & 0xFF) << 24 | (row[x] & 0xFF00) << 8 | (row[x] >> 8 & 0xFF00) |
                     row[x] >> 24;
}

} // namespace

LICE_MemBitmap* DecodePngMemory(const void* bytes, size_t length) {
    if (bytes == nullptr || length < sizeof kSignature ||
        std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
        return nullptr;

    PngMemoryReader reader(bytes, length);
    DecodeJob job{};
    job.reader = &reader;
    job.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, StopDecoding, IgnoreWarning,
                                       nullptr, AllocateForDecoder, FreeForDecoder);
    if (job.png == nullptr)
        return nullptr;
    job.info = png_create_info_struct(job.png);
    if (job.info == nullptr) {
        png_destroy_read_struct(&job.png, nullptr, nullptr);
        return nullptr;
    }
    png_set_read_fn(job.png, job.reader, ReadFromMemory);

    const bool decoded = DecodeInto(&job);
    png_destroy_read_struct(&job.png, &job.info, nullptr);
    LICE_Free(job.rows);
    if (!decoded) {
        delete job.bitmap;
        return nullptr;
    }
    ReverseBytes(job.bitmap);
    return job.bitmap;
}
