#include "graphics/x11/XftDpi.h"

#include "graphics/DisplayScale.h"
#include "graphics/x11/XlibHeaders.h"

#include <cstdlib>
#include <cstring>

double ScaleFromResources(const char* resources) {
    static const char kName[] = "Xft.dpi:";
    const size_t nameLength = sizeof kName - 1;
    for (const char* line = resources; line && *line;) {
        if (std::strncmp(line, kName, nameLength) == 0) {
            const char* value = line + nameLength;
            while (*value == ' ' || *value == '\t')
                ++value;
            char* end = nullptr;
            const double dpi = std::strtod(value, &end);
            return end == value ? 1.0 : ScaleForDpi(dpi);
        }
        line = std::strchr(line, '\n');
        if (line)
            ++line;
    }
    return 1.0;
}

double XftDpiScale() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1.0;
    const double scale = ScaleFromResources(XResourceManagerString(display));
    XCloseDisplay(display);
    return scale;
}
