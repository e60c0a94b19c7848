#include "EditorReference.h"

#include "engine/SorvelEditorLayout.h"
#include "engine/SorvelParameters.h"
#include "graphics/IGraphics.h"
#include "lice/LICE_SysBitmap.h"

#include <memory>

using plughost::editor::RgbImage;
using Steinberg::Hosting::HandlerCall;

RgbImage ImageOf(LICE_SysBitmap& bitmap) {
    RgbImage image;
    image.width = bitmap.Width();
    image.height = bitmap.Height();
    image.rgb.reserve(size_t(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        const LICE_pixel* row = bitmap.Bits() + size_t(y) * bitmap.RowSpan();
        for (int x = 0; x < image.width; ++x) {
            image.rgb.push_back(uint8_t(row[x] >> 16));
            image.rgb.push_back(uint8_t(row[x] >> 8));
            image.rgb.push_back(uint8_t(row[x]));
        }
    }
    return image;
}

RgbImage DrawSorvelEditor(const std::vector<double>& normalised, double scale) {
    std::unique_ptr<IGraphics> editor(BuildSorvelEditor(nullptr));
    editor->SetScale(scale);
    editor->CreateDrawingBitmaps();
    for (int i = 0; i < static_cast<int>(normalised.size()); ++i)
        editor->ParameterChangedInCore(i, normalised[i], true);
    editor->RedrawArea(PixelRect{0, 0, editor->WindowWidth(), editor->WindowHeight()});
    return ImageOf(*editor->DrawingBitmap());
}

std::vector<double> HostValues(Steinberg::Vst::IEditController* controller,
                               const std::vector<HandlerCall>& calls) {
    std::vector<double> values(kNumSorvelParams, 0.0);
    for (int i = 0; i < kNumSorvelParams; ++i)
        values[i] = controller->getParamNormalized(Steinberg::Vst::ParamID(i));
    for (const HandlerCall& call : calls)
        if (call.kind == HandlerCall::performEdit && call.id < values.size())
            values[call.id] = call.value;
    return values;
}

std::string DescribeDifference(const RgbImage& shot, const RgbImage& reference) {
    if (shot.width != reference.width || shot.height != reference.height)
        return "size " + std::to_string(shot.width) + "x" + std::to_string(shot.height) +
               " instead of " + std::to_string(reference.width) + "x" +
               std::to_string(reference.height);
    int count = 0;
    std::string first;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const uint8_t* a = shot.At(x, y);
            const uint8_t* b = reference.At(x, y);
            if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2])
                continue;
            if (count++ == 0)
                first = " first at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return count ? std::to_string(count) + " pixels differ," + first : "";
}

ControlSpot SorvelControlSpot(int index) {
    std::unique_ptr<IGraphics> editor(BuildSorvelEditor(nullptr));
    const PixelRect r = editor->GetControl(index)->Rect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2, r.Height()};
}
