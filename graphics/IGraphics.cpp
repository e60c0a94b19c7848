#include "graphics/IGraphics.h"

#include "core/IPlugBase.h"
#include "graphics/BitmapCache.h"
#include "graphics/IBitmapControl.h"
#include "graphics/ResourceImage.h"
#include "graphics/ScaledBitmap.h"
#include "lice/DecodePngMemory.h"
#include "lice/LICE_MemBitmap.h"
#include "lice/LICE_SysBitmap.h"

#include <cmath>

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int frameRate)
    : plug(plug), width(width), height(height), frameRate(frameRate) {}

IGraphics::~IGraphics() {
    delete keyHandler;
    keyHandler = nullptr;
    LockControlList();
    controls.DeleteAll();
    UnlockControlList();
    DeleteBitmaps();
}

void IGraphics::SyncControlsFromCore(int paramIdx, double normalised) {
    MirrorIntoControls(paramIdx, normalised);
}

void IGraphics::ParameterChangedInCore(int paramIdx, double value, bool normalised) {
    double v = value;
    if (!normalised) {
        const ICoreParameter* parameter = plug ? plug->GetParam(paramIdx) : nullptr;
        if (!parameter)
            return;
        const double minimum = parameter->minimum;
        const double maximum = parameter->maximum;
        // A record damaged from outside (no range, no shape) must not put NaN into a control.
        if (!(maximum > minimum) || !(parameter->shape > 0.0))
            return;
        const double clamped = minimum > value ? minimum : (value < maximum ? value : maximum);
        v = std::pow((clamped - minimum) / (maximum - minimum), 1.0 / parameter->shape);
    }
    MirrorIntoControls(paramIdx, v);
}

void IGraphics::MirrorIntoControls(int paramIdx, double normalised) {
    const int count = controls.Count();
    for (int i = 0; i < count; ++i) {
        IControl* control = controls.Get(i);
        if (control->ParamIdx() == paramIdx)
            control->SyncValueFromCore(normalised);
        const int linkedCount = control->NLinkedParameters();
        for (int position = 0; position < linkedCount; ++position) {
            if (control->GetLinkedParameter(position)->paramIdx == paramIdx) {
                control->SyncLinkedValueFromCore(position, normalised);
                break;
            }
        }
    }
}

void IGraphics::CreateDrawingBitmaps() {
    DeleteBitmaps();
    drawingBitmap = new LICE_SysBitmap(WindowWidth(), WindowHeight());
    scratchBitmap = new LICE_MemBitmap;
}

bool IGraphics::SetScale(double newScale) {
    if (!(newScale >= kMinScale && newScale <= kMaxScale))
        return false;
    if (newScale == scale)
        return true;
    scale = newScale;
    if (drawingBitmap)
        CreateDrawingBitmaps();
    for (int i = 0; i < controls.Count(); ++i)
        controls.Get(i)->MarkChanged(false);
    WindowScaleChanged();
    return true;
}

int IGraphics::WindowWidth() const {
    return ScaledLength(width, scale);
}

int IGraphics::WindowHeight() const {
    return ScaledLength(height, scale);
}

PixelRect IGraphics::PixelsOf(const PixelRect& rect) const {
    if (scale == 1.0 || rect.IsEmpty())
        return rect;
    // Position and size are scaled alike, so a control's pixels are the same wherever it sits.
    const int left = ScaledLength(rect.left, scale);
    const int top = ScaledLength(rect.top, scale);
    return PixelRect{left, top, left + ScaledLength(rect.Width(), scale),
                     top + ScaledLength(rect.Height(), scale)};
}

int IGraphics::LayoutCoordinate(int pixel) const {
    if (scale == 1.0)
        return pixel;
    // Pixel p belongs to layout point u when round(u * scale) <= p < round((u + 1) * scale).
    // The largest such u: round(u * scale) <= p holds exactly while u < (p + 0.5) / scale.
    return static_cast<int>(std::ceil((pixel + 0.5) / scale)) - 1;
}

void IGraphics::DeleteBitmaps() {
    delete drawingBitmap;
    drawingBitmap = nullptr;
    delete scratchBitmap;
    scratchBitmap = nullptr;
}

void IGraphics::ResizeEditor(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    ReleaseCapture();
    mouseOverControl = -1;
    LockControlList();
    controls.DeleteAll();
    UnlockControlList();
    DeleteBitmaps();
    CreateDrawingBitmaps();
    if (plug)
        plug->ResizeEditorWindow(WindowWidth(), WindowHeight());
}

bool IGraphics::IsWindowOpen() {
    return WindowHandle() != nullptr;
}

const char* IGraphics::DrawingApiName() {
    return "";
}

FrameBitmap IGraphics::LoadFrameBitmap(int id, const char* name, int frameCount) {
    FrameBitmap result;
    result.id = id;
    result.frameCount = frameCount > 1 ? frameCount : 1;
    result.framesHorizontal = false;
    LICE_IBitmap* bitmap = BitmapCache::Find(id);
    if (!bitmap && name && HasPngExtension(name) &&
        ResourceImageSize(id, result.width, result.height)) {
        undecodedImages.push_back(id);
        return result;
    }
    // Decoding happens outside the cache lock; a concurrent decode of the same id loses.
    if (!bitmap)
        bitmap = BitmapCache::Add(id, LoadResourceImage(id, name));
    result.bitmap = bitmap;
    result.width = bitmap ? bitmap->Width() : 0;
    result.height = bitmap ? bitmap->Height() : 0;
    return result;
}

void IGraphics::PrepareImages() {
    for (int32_t id : undecodedImages) {
        FrameBitmap image;
        image.id = id;
        BitmapAtScale(image, 1.0);
    }
    undecodedImages.clear();
}

int IGraphics::AddControl(IControl* control) {
    if (!control)
        return -1;
    LockControlList();
    const bool added = controls.Add(control);
    UnlockControlList();
    if (!added) {
        delete control;
        return -1;
    }
    return controls.Count() - 1;
}

void IGraphics::InstallBackground(const FrameBitmap& bitmap) {
    auto* background = new IBitmapControl(plug, 0, 0, -1, bitmap, BlendCopy);
    LockControlList();
    const bool added = controls.Insert(0, background);
    UnlockControlList();
    if (!added)
        delete background;
}

void IGraphics::SetKeyHandler(IControl* control) {
    delete keyHandler;
    keyHandler = control;
}

int IGraphics::ControlUnder(int x, int y) {
    for (int i = controls.Count() - 1; i >= 0; --i) {
        IControl* control = controls.Get(i);
        if (!control->IsHidden() && !control->IsDisabled() && control->HitTest(x, y))
            return i;
    }
    return -1;
}

void IGraphics::LockControlList() {
    if (plug)
        plug->Lock().Lock();
}

void IGraphics::UnlockControlList() {
    if (plug)
        plug->Lock().Unlock();
}
