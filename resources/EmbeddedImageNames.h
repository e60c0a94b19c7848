#pragma once

#include <span>

// The images a Windows build carries as resources of type "PNG": resource id and file name,
// in resource-id order; generated at configure time from ImageTable.cmake.
struct EmbeddedImageName {
    int id;
    const char* name;
};

std::span<const EmbeddedImageName> EmbeddedImageNames();
