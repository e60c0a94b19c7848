#include "lice/DecodePngMemory.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool HasPngExtension(const char* fileName) {
    if (fileName == nullptr)
        return false;
    const char* dot = nullptr;
    for (const char* c = fileName; *c != '\0'; ++c)
        if (*c == '.')
            dot = c;
    // A name without any dot has no extension, even when it ends in the letters "png".
    if (dot == nullptr)
        return false;
    const char* extension = dot + 1;
    for (const char* expected = "png"; *expected != '\0'; ++expected, ++extension)
        if (LowerAscii(*extension) != *expected)
            return false;
    return *extension == '\0';
}
