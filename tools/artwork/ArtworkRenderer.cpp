#include "tools/artwork/ArtworkRenderer.h"

#include "tools/artwork/Faceplate.h"
#include "tools/artwork/Knob.h"
#include "tools/artwork/LedButton.h"
#include "tools/artwork/SlideSwitch.h"

namespace artwork {
namespace {

bool PaintFrame(cairo_t* cr, const ControlArt& art, int frame) {
    const double value = art.frames > 1 ? double(frame) / (art.frames - 1) : 0.0;
    switch (art.kind) {
    case ArtKind::Background:
        return PaintFaceplate(cr, art.frameWidth, art.frameHeight);
    case ArtKind::BipolarKnob:
    case ArtKind::UnipolarKnob:
        PaintKnobFrame(cr, art, value);
        return true;
    case ArtKind::Selector:
    case ArtKind::SideSelector:
        PaintSlideSwitchFrame(cr, art, frame);
        return true;
    case ArtKind::LedButton:
    case ArtKind::LedPanel:
        return PaintButtonFrame(cr, art, frame + 1 == art.litFrame);
    }
    return false;
}

} // namespace

bool RenderArtwork(const ControlArt& art, RgbaImage& out, int scale) {
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, art.frameWidth * scale, art.frameHeight * art.frames * scale);
    cairo_t* cr = cairo_create(surface);
    bool ok = true;
    // At scale 1 no transformation is set, so those pixels are exactly as before.
    if (scale != 1)
        cairo_scale(cr, scale, scale);
    for (int frame = 0; frame < art.frames; ++frame) {
        cairo_save(cr);
        cairo_translate(cr, 0, double(frame) * art.frameHeight);
        // Nothing of one frame may bleed into its neighbour.
        cairo_rectangle(cr, 0, 0, art.frameWidth, art.frameHeight);
        cairo_clip(cr);
        ok &= PaintFrame(cr, art, frame);
        cairo_restore(cr);
    }
    ok &= cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    if (ok)
        out = FromCairoSurface(surface);
    cairo_surface_destroy(surface);
    return ok;
}

int FrameForValue(double value, int frames) {
    if (frames <= 1)
        return 1;
    const int frame = 1 + int(0.5 + value * (frames - 1));
    return frame < 1 ? 1 : (frame > frames ? frames : frame);
}

} // namespace artwork
