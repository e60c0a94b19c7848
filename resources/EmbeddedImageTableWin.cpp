#include "resources/EmbeddedImageNames.h"
#include "resources/EmbeddedImageTable.h"

#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The images are resources of the module this code is linked into (the plug-in DLL, or a test
// program), found through that module's own handle. Resource memory stays mapped for the
// module's lifetime, so the records can point into it.

namespace {

HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

// A missing or unmappable resource leaves the record without data, which every reader treats
// like an unusable image.
EmbeddedImage ReadResource(HMODULE module, const EmbeddedImageName& entry) {
    EmbeddedImage image{entry.id, entry.name, nullptr, 0};
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(entry.resourceId & 0xFFFF), L"PNG");
    if (found == nullptr)
        return image;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return image;
    image.data = static_cast<const unsigned char*>(bytes);
    image.size = SizeofResource(module, found);
    return image;
}

struct Table {
    std::vector<EmbeddedImage> images;
    std::vector<const EmbeddedImage*> pointers;

    Table() {
        const HMODULE module = OwnModule();
        const auto names = EmbeddedImageNames();
        images.reserve(names.size());
        for (const EmbeddedImageName& entry : names)
            images.push_back(ReadResource(module, entry));
        for (const EmbeddedImage& image : images)
            pointers.push_back(&image);
    }
};

} // namespace

std::span<const EmbeddedImage* const> EmbeddedImageTable() {
    static const Table table;
    return table.pointers;
}
