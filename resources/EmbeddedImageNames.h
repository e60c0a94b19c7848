#pragma once

#include <span>

// The images a Windows build carries as resources of type "PNG": image id, file name and the
// resource holding its bytes (an earlier image's when both have the same bytes), in image-id
// order; generated at configure time from ImageTable.cmake.
struct EmbeddedImageName {
    int id;
    const char* name;
    int resourceId;
};

std::span<const EmbeddedImageName> EmbeddedImageNames();
