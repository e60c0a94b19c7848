// Regenerates the editor's images, or a contact sheet of the composed editor
// for review.
//
//   sorvel_artwork --out DIR               writes every image as DIR/<name>.png and,
//                                          drawn at twice the size, DIR/2x/<name>.png
//   sorvel_artwork --contact-sheet FILE    writes the editor at values 0, 0.5, 1

#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/ContactSheet.h"
#include "tools/artwork/PngWriter.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: sorvel_artwork --out DIR | --contact-sheet FILE\n");
    return 2;
}

bool Save(const artwork::RgbaImage& image, const std::string& path) {
    const auto bytes = artwork::EncodePng(image);
    if (bytes.empty() || !artwork::WriteFile(path, bytes)) {
        std::fprintf(stderr, "sorvel_artwork: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The scales drawn, each into its own folder below the output folder.
struct ScaleSet {
    int scale;
    const char* subfolder;
};
constexpr ScaleSet kScaleSets[] = {{1, ""}, {2, "/2x"}};

int WriteAll(const std::string& folder) {
    for (const ScaleSet& set : kScaleSets) {
        const std::string target = folder + set.subfolder;
        std::error_code error;
        std::filesystem::create_directories(target, error);
        for (const artwork::ControlArt& art : artwork::AllArtwork()) {
            artwork::RgbaImage image;
            if (!artwork::RenderArtwork(art, image, set.scale)) {
                std::fprintf(stderr, "sorvel_artwork: cannot draw %s at %dx\n", art.stem,
                             set.scale);
                return 1;
            }
            if (!Save(image, target + "/" + art.stem + ".png"))
                return 1;
        }
    }
    return 0;
}

int WriteContactSheet(const std::string& path) {
    const double values[] = {0.0, 0.5, 1.0};
    artwork::RgbaImage sheet;
    if (!artwork::ComposeContactSheet(values, sheet)) {
        std::fprintf(stderr, "sorvel_artwork: cannot compose the contact sheet\n");
        return 1;
    }
    return Save(sheet, path) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Usage();
    if (std::strcmp(argv[1], "--out") == 0)
        return WriteAll(argv[2]);
    if (std::strcmp(argv[1], "--contact-sheet") == 0)
        return WriteContactSheet(argv[2]);
    return Usage();
}
