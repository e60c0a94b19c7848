#pragma once

// Windows headers, without the macros that would rename this code's own identifiers
// (LICE_CachedFont::DrawText, IGraphics::ReleaseCapture's neighbours, std::min and max).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef DrawText
#undef LoadImage
#undef CreateWindow
