#pragma once

// The format adapter a plug-in class derives from, chosen by the build: this folder is on the
// include path of the LV2 build of a plug-in class.
#include "lv2/IPlugLV2.h"

using PlugAdapter = IPlugLV2;
