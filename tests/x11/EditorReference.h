#pragma once

#include "tools/plughost/editor/RgbImage.h"
#include "vst3/hosting/ComponentHandler.h"
#include "vst3/sdk/IEditController.h"

#include <string>
#include <vector>

class LICE_SysBitmap;

// The drawing bitmap's pixels, as a screenshot would read them.
plughost::editor::RgbImage ImageOf(LICE_SysBitmap& bitmap);

// Sorvel's editor drawn offscreen, through the graphics library linked into the test, for the
// parameter values a host sees, at display scale `scale`: the reference a screenshot of the
// real editor must equal.
plughost::editor::RgbImage DrawSorvelEditor(const std::vector<double>& normalised,
                                            double scale = 1.0);

// The values the host knows: the plug-in's answers, overridden by the last value each
// performEdit reported (the editor's own value, before any quantisation by the parameter).
std::vector<double> HostValues(Steinberg::Vst::IEditController* controller,
                               const std::vector<Steinberg::Hosting::HandlerCall>& calls);

// "" when equal, else how many pixels differ and the first of them.
std::string DescribeDifference(const plughost::editor::RgbImage& shot,
                               const plughost::editor::RgbImage& reference);

// The centre and height of control `index` of Sorvel's editor.
struct ControlSpot {
    int x;
    int y;
    int height;
};
ControlSpot SorvelControlSpot(int index);
