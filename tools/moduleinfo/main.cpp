#include "tools/moduleinfo/ModuleInfoWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

// sorvel_moduleinfo BUNDLE OUT: loads the bundle's module and writes moduleinfo.json to OUT.
// Runs at build time right after the module is linked.
int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::puts("usage: sorvel_moduleinfo BUNDLE OUT\n"
                  "writes the moduleinfo.json of a VST 3 bundle from what its factory reports");
        return 0;
    }
    if (argc != 3) {
        std::fputs("sorvel_moduleinfo: usage: sorvel_moduleinfo BUNDLE OUT\n", stderr);
        return 2;
    }
    std::error_code ec;
    const std::filesystem::path bundle = std::filesystem::weakly_canonical(argv[1], ec);
    std::string error;
    const auto module = Steinberg::Hosting::Module::load(ec ? argv[1] : bundle.string(), error);
    if (!module) {
        std::fprintf(stderr, "sorvel_moduleinfo: cannot load bundle '%s': %s\n", argv[1],
                     error.c_str());
        return 1;
    }
    const std::string json = ModuleInfoJson(*module, bundle.stem().string());

    // Written beside the destination and renamed, so a host never reads half a file.
    const std::string out = argv[2];
    const std::string temp = out + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    const bool written = file != nullptr &&
                         std::fwrite(json.data(), 1, json.size(), file) == json.size() &&
                         std::fclose(file) == 0;
    // The library's rename replaces an existing file on every system (C's rename refuses to on
    // Windows, which would fail every relink of a bundle).
    std::error_code renamed;
    if (written) std::filesystem::rename(temp, out, renamed);
    if (!written || renamed) {
        const std::string reason = written ? renamed.message() : std::strerror(errno);
        std::remove(temp.c_str());
        std::fprintf(stderr, "sorvel_moduleinfo: cannot write '%s': %s\n", out.c_str(),
                     reason.c_str());
        return 1;
    }
    return 0;
}
