#pragma once

#include "resources/EmbeddedImages.h"

#include <span>

// Every embedded image in resource-id order; generated at configure time
// from ImageTable.cmake.
std::span<const EmbeddedImage* const> EmbeddedImageTable();
