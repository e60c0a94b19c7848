// Scalar types and shared constants of the Vst namespace.
#pragma once

#include "vst3/sdk/FTypes.h"

namespace Steinberg::Vst {

using TChar = char16;
// 128 UTF-16 units; as a parameter it is an output TChar* of that capacity.
using String128 = TChar[128];
using CString = const char8*;

using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using KnobMode = int32;

using ParamID = uint32;
using ParamValue = double;
using CtrlNumber = int16;

using TQuarterNotes = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using TSamples = int64;

using SpeakerArrangement = uint64;
using Speaker = uint64;
using ColorSpec = uint32;
using NoteExpressionTypeID = uint32;
using NoteExpressionValue = double;

inline constexpr ParamID kNoParamId = 0xFFFFFFFF;
inline constexpr ParamID kMinParamId = 0;
inline constexpr ParamID kMaxParamId = 0x7FFFFFFF;

inline constexpr FIDString kVstVersionString = "VST 3.7.13";

static_assert(sizeof(String128) == 256);
static_assert(sizeof(ParamValue) == 8 && sizeof(ParamID) == 4);
static_assert(sizeof(SpeakerArrangement) == 8 && sizeof(TSamples) == 8);

} // namespace Steinberg::Vst
