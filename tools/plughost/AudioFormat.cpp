#include "tools/plughost/AudioFormat.h"

#include "tools/plughost/Lowercase.h"
#include "tools/plughost/Utf8Path.h"

namespace plughost {

namespace {

struct ContainerName {
    const char* name;
    int container;
};

constexpr ContainerName kContainerNames[] = {
    {"wav", format::kWav},  {"flac", format::kFlac}, {"aiff", format::kAiff},
    {"aif", format::kAiff}, {"aifc", format::kAiff}, {"ogg", format::kOgg},
    {"mp3", format::kMpeg},
};

} // namespace

int ContainerForName(std::string_view name) {
    const std::string lower = Lowercase(name);
    for (const auto& entry : kContainerNames)
        if (lower == entry.name)
            return entry.container;
    return 0;
}

std::string ExtensionOf(const std::string& path) {
    // The system's own path rules decide which separators end a folder name.
    const std::string extension = Utf8FromPath(PathFromUtf8(path).filename().extension());
    return extension.size() > 1 ? Lowercase(std::string_view(extension).substr(1)) : "";
}

} // namespace plughost
