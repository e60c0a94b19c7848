#pragma once

#include <cstddef>

// Reads an image's width and height from the header at the start of a PNG file in memory,
// without inflating anything. False, leaving both unchanged, when the bytes do not start with a
// PNG signature and a header chunk, or the size is zero or beyond what a bitmap may have.
// Any thread.
bool PngImageSize(const void* bytes, size_t length, int& width, int& height);
