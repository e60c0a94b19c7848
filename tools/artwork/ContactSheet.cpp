#include "tools/artwork/ContactSheet.h"

#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkTable.h"

#include <vector>

namespace artwork {
namespace {

constexpr int kGap = 12;

} // namespace

bool ComposeContactSheet(std::span<const double> values, RgbaImage& sheet) {
    const auto table = AllArtwork();
    std::vector<RgbaImage> images(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!RenderArtwork(table[i], images[i]))
            return false;
    }
    const ControlArt& background = table.front();
    const int states = int(values.size());
    sheet.width = background.frameWidth;
    sheet.height = states * background.frameHeight + (states > 0 ? (states - 1) * kGap : 0);
    sheet.pixels.assign(std::size_t(sheet.width) * sheet.height * 4, 0);
    for (std::size_t p = 3; p < sheet.pixels.size(); p += 4)
        sheet.pixels[p] = 255;

    for (int s = 0; s < states; ++s) {
        const int top = s * (background.frameHeight + kGap);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ControlArt& art = table[i];
            const RgbaImage& image = images[i];
            if (art.kind == ArtKind::Background) {
                for (int y = 0; y < image.height; ++y) {
                    for (int c = 0; c < image.width * 4; ++c) {
                        sheet.At(0, top + y)[c] = image.At(0, y)[c];
                    }
                }
                continue;
            }
            const int frame = FrameForValue(values[s], art.frames);
            BlendSourceAlpha(sheet, image, (frame - 1) * art.frameHeight, art.frameHeight, art.x,
                             top + art.y);
        }
    }
    return true;
}

} // namespace artwork
