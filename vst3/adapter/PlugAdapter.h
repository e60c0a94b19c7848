#pragma once

// The format adapter a plug-in class derives from, chosen by the build: this folder is on the
// include path of the VST 3 build of a plug-in class.
#include "vst3/IPlugVST3.h"

using PlugAdapter = IPlugVST3;
