// Scalar types and platform macros of the VST 3 binary interface.
// One source serves x86-64 Linux (g++) and x86-64 Windows (mingw-w64, MSVC);
// the platform is keyed on _WIN32 because mingw does not define _MSC_VER.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define SMTG_OS_WINDOWS 1
#define SMTG_OS_LINUX 0
#define COM_COMPATIBLE 1
// x86-64 has a single calling convention; the keyword only matters on 32-bit.
#define PLUGIN_API __stdcall
#define SMTG_EXPORT_SYMBOL __declspec(dllexport)
#else
#define SMTG_OS_WINDOWS 0
#define SMTG_OS_LINUX 1
#define COM_COMPATIBLE 0
#define PLUGIN_API
#define SMTG_EXPORT_SYMBOL __attribute__((visibility("default")))
#endif

namespace Steinberg {

using int8 = char;
using uint8 = std::uint8_t;
using uchar = unsigned char;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using TSize = int64;
using TPtrInt = uint64;
using tresult = int32;
using UCoord = int32;

// TBool crosses the boundary as one unsigned byte, never as C++ bool.
using TBool = uint8;

using char8 = char;
// Always UTF-16: wchar_t is four bytes on Linux.
using char16 = char16_t;
using tchar = char16;

using FIDString = const char8*;
using CStringA = const char8*;
using CStringW = const char16*;

// 16 raw bytes, not a string; as a parameter it decays to a pointer.
using TUID = char[16];

static_assert(sizeof(int8) == 1 && sizeof(uint8) == 1 && sizeof(uchar) == 1);
static_assert(sizeof(int16) == 2 && sizeof(uint16) == 2);
static_assert(sizeof(int32) == 4 && sizeof(uint32) == 4 && sizeof(tresult) == 4);
static_assert(sizeof(int64) == 8 && sizeof(uint64) == 8 && sizeof(TSize) == 8);
static_assert(sizeof(TPtrInt) == 8 && sizeof(void*) == 8);
static_assert(sizeof(TBool) == 1);
static_assert(sizeof(char16) == 2 && sizeof(tchar) == 2);
static_assert(sizeof(TUID) == 16);

} // namespace Steinberg
