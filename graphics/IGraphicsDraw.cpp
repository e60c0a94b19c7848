#include "graphics/IGraphics.h"

#include "graphics/ScaledBitmap.h"
#include "lice/BlitBitmap.h"
#include "lice/LICE_SysBitmap.h"

bool IGraphics::RedrawArea(const PixelRect& rect) {
    const int count = controls.Count();
    if (count == 0)
        return true;
    drawArea = rect;
    // Back to front, so a control on top is always redrawn after the one below it.
    for (int i = 0; i < count; ++i) {
        IControl* control = controls.Get(i);
        if (!control->IsHidden() && rect.Intersects(PixelsOf(control->Rect())))
            control->Draw(this);
        control->MarkDrawn();
    }
    PresentToWindow(rect);
    return true;
}

bool IGraphics::BlitBitmapArea(LICE_IBitmap* bitmap, const PixelRect& dest, int srcX, int srcY,
                               const Blend* blend) {
    const PixelRect clip = dest.Intersection(drawArea);
    srcX += clip.left - dest.left;
    srcY += clip.top - dest.top;
    const int kind = blend ? blend->kind : BlendNormal;
    const float weight = blend ? blend->weight : 1.0f;
    const LICE_Rect source{srcX, srcY, srcX + clip.Width(), srcY + clip.Height()};
    BlitBitmap(drawingBitmap, bitmap, clip.left, clip.top, &source, weight, BlitModeFor(kind));
    return true;
}

bool IGraphics::DrawBitmapFrame(const FrameBitmap& bitmap, const PixelRect& dest, int frame,
                                const Blend* blend) {
    // The strip drawn is the one made for the scale, whose frames are the scaled frame size;
    // at a scale other than 1 the frame offsets follow from its own size.
    LICE_IBitmap* image = BitmapAtScale(bitmap, scale);
    if (!image)
        return true;
    const int width = scale == 1.0 ? bitmap.width : image->Width();
    const int height = scale == 1.0 ? bitmap.height : image->Height();
    int srcX = 0;
    int srcY = 0;
    const int frames = bitmap.Frames();
    if (frame > frames)
        frame = frames; // a frame beyond the strip would read past it
    if (frames > 1 && frame > 1) {
        const double size = bitmap.framesHorizontal ? width : height;
        const int offset = static_cast<int>(size * (frame - 1) / frames + 0.5);
        (bitmap.framesHorizontal ? srcX : srcY) = offset;
    }
    return BlitBitmapArea(image, PixelsOf(dest), srcX, srcY, blend);
}

bool IGraphics::CollectDirtyArea(PixelRect& dirtyArea) {
    dirtyArea = {};
    bool any = false;
    const int count = controls.Count();
    for (int i = 0; i < count; ++i) {
        IControl* control = controls.Get(i);
        if (control->NeedsRedraw()) {
            dirtyArea = dirtyArea.Union(PixelsOf(control->Rect()));
            any = true;
        }
    }
    return any;
}
