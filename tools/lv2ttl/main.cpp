#include "lv2/IPlugLV2.h"
#include "lv2/Lv2PlugDescription.h"
#include "tools/lv2ttl/Lv2TtlWriter.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
    // Written beside the destination and renamed, so a host never reads half a file.
    const std::string temp = path + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    const bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0)
        return false;
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        std::fprintf(stderr, "sorvel_lv2ttl: cannot write '%s'\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

// sorvel_lv2ttl BUNDLE BINARY: writes BUNDLE/manifest.ttl and BUNDLE/<plug-in name>.ttl from
// the plug-in class linked into this tool. Runs at build time.
int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs("usage: sorvel_lv2ttl BUNDLE BINARY\n"
                   "writes an LV2 bundle's manifest.ttl and plug-in description\n",
                   argc == 3 ? stdout : stderr);
        return argc == 3 ? 0 : 2;
    }
    std::unique_ptr<IPlugLV2> plug(CreateLv2PlugInstance());
    if (!plug) {
        std::fputs("sorvel_lv2ttl: the plug-in could not be made\n", stderr);
        return 1;
    }
    const std::string bundle = argv[1];
    const std::string binary = argv[2];
    const std::string descriptionFile = std::string(plug->EffectName()) + ".ttl";
    const Lv2PlugDescription& description = Lv2PlugClass();
    if (!WriteFile(bundle + "/" + descriptionFile, PluginTtl(*plug, description, binary)) ||
        !WriteFile(bundle + "/manifest.ttl",
                   ManifestTtl(*plug, description, binary, descriptionFile)))
        return 1;
    return 0;
}
