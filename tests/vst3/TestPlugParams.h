#pragma once

// The test plug-in's parameters, by core index (also their VST 3 identifiers).
namespace TestPlugParams {
enum Param { kGain, kMode, kSwitch, kLatency, kTrim, kTone, kWidth, kNumParams };
} // namespace TestPlugParams
