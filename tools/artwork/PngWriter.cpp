#include "tools/artwork/PngWriter.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace artwork {
namespace {

constexpr int kBytesPerPixel = 4;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v >> 24));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4],
              const std::vector<std::uint8_t>& body) {
    PutU32(out, std::uint32_t(body.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + typeStart, uInt(out.size() - typeStart));
    PutU32(out, std::uint32_t(crc));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Filters one row with PNG filter type `type` (0..4) into out.
void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
               std::uint8_t* out) {
    for (std::size_t i = 0; i < length; ++i) {
        const int a = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
        const int b = prior != nullptr ? prior[i] : 0;
        const int c = (prior != nullptr && i >= kBytesPerPixel) ? prior[i - kBytesPerPixel] : 0;
        int predictor = 0;
        switch (type) {
        case 1:
            predictor = a;
            break;
        case 2:
            predictor = b;
            break;
        case 3:
            predictor = (a + b) / 2;
            break;
        case 4:
            predictor = Paeth(a, b, c);
            break;
        default:
            break;
        }
        out[i] = std::uint8_t(row[i] - predictor);
    }
}

// The usual heuristic: pick the filter whose output has the smallest sum of
// magnitudes when read as signed bytes. Ties keep the lower filter type.
std::vector<std::uint8_t> FilterImage(const RgbaImage& image) {
    const std::size_t length = std::size_t(image.width) * kBytesPerPixel;
    std::vector<std::uint8_t> filtered;
    filtered.reserve((length + 1) * image.height);
    std::vector<std::uint8_t> candidate(length), best(length);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + y * length;
        const std::uint8_t* prior = y > 0 ? row - length : nullptr;
        long bestScore = -1;
        int bestType = 0;
        for (int type = 0; type <= 4; ++type) {
            FilterRow(type, row, prior, length, candidate.data());
            long score = 0;
            for (std::uint8_t v : candidate)
                score += v < 128 ? v : 256 - v;
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestType = type;
                best.swap(candidate);
            }
        }
        filtered.push_back(std::uint8_t(bestType));
        filtered.insert(filtered.end(), best.begin(), best.end());
    }
    return filtered;
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::vector<std::uint8_t> out(deflateBound(&stream, uLong(data.size())));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(status == Z_STREAM_END ? stream.total_out : 0);
    deflateEnd(&stream);
    return out;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
    const std::vector<std::uint8_t> compressed = Deflate(FilterImage(image));
    if (compressed.empty())
        return {};
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, std::uint32_t(image.width));
    PutU32(header, std::uint32_t(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", {});
    return png;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace artwork
