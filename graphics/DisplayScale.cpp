#include "graphics/DisplayScale.h"

#include "graphics/IGraphics.h"

namespace {

constexpr double kBaseDpi = 96.0;

} // namespace

double ScaleForDpi(double dotsPerInch) {
    if (!(dotsPerInch > 0.0))
        return 1.0;
    const double scale = dotsPerInch / kBaseDpi;
    if (scale < IGraphics::kMinScale)
        return IGraphics::kMinScale;
    return scale > IGraphics::kMaxScale ? IGraphics::kMaxScale : scale;
}
