#include "graphics/IControl.h"

#include "core/IPlugBase.h"
#include "graphics/IGraphics.h"

#include <cmath>

IControl::IControl(IPlugBase* plug, const PixelRect& rect, int paramIdx, const Blend& blend)
    : plug(plug), rect(rect), hitRect(rect), paramIdx(paramIdx), blend(blend) {}

IControl::~IControl() = default;

void IControl::MousePressed(int, int, const MouseMods& mods) {
    if (mods.right)
        PromptForValue();
}

void IControl::MouseReleased(int, int, const MouseMods&) {}

void IControl::MouseDragged(int, int, int, int, const MouseMods&) {}

void IControl::MouseDoubleClicked(int, int, const MouseMods&) {
    const double restored = defaultValue.load();
    if (restored < 0.0)
        return;
    value.store(restored);
    MarkChanged(true);
}

void IControl::MouseWheelTurned(int, int, const MouseMods&, int) {}

bool IControl::KeyPressed(int, int, int) {
    return false;
}

void IControl::MouseHovered(int, int, const MouseMods&) {}

void IControl::MouseLeft() {}

void IControl::SyncValueFromCore(double v) {
    // The first value the core mirrors (when the editor is attached) becomes the default.
    if (defaultValue.load() < 0.0) {
        const double first = Clamp(v);
        value.store(first);
        defaultValue.store(first);
        return;
    }
    const double current = value.load();
    if (v == current && !std::isnan(v) && !std::isnan(current))
        return;
    value.store(v);
    MarkChanged(false);
    MarkChangedFromCore();
}

void IControl::SetValueFromEntry(double v) {
    if (v == value.load())
        return;
    value.store(v);
    MarkChanged(true);
    redrawFlags.fetch_or(kPendingRedraw);
}

void IControl::SetTextFromEntry(const char*) {}

void IControl::SetHidden(bool hide) {
    hidden = hide;
    redrawFlags.fetch_or(kPendingRedraw);
    MarkChanged(false);
}

void IControl::SetDisabled(bool disable) {
    disabled = disable;
    blend.weight = disable ? 0.25f : 1.0f;
    MarkChanged(false);
}

bool IControl::HitTest(int x, int y) {
    return hitRect.Contains(x, y);
}

void IControl::MarkChanged(bool pushToCore) {
    double current = value.load();
    const double clamped = Clamp(current);
    // A mirror stored meanwhile by the audio thread wins; it clamps its own value.
    if (clamped != current || std::isnan(current)) {
        if (value.compare_exchange_strong(current, clamped))
            current = clamped;
    }
    redrawFlags.fetch_or(kNeedsRedraw);
    if (pushToCore && plug && paramIdx >= 0)
        plug->SetParameterFromEditor(paramIdx, Clamp(current));
}

void IControl::MarkDrawn() {
    uint8_t flags = redrawFlags.load();
    while (!redrawFlags.compare_exchange_weak(flags, (flags & kPendingRedraw) ? kNeedsRedraw : 0)) {
    }
}

bool IControl::NeedsRedraw() {
    return (redrawFlags.load() & kNeedsRedraw) != 0;
}

void IControl::SyncLinkedValueFromCore(int position, double v) {
    LinkedParameter* entry = linkedParameters.Get(position);
    if (!entry || entry->value.load() == v)
        return;
    entry->value.store(v);
    MarkChanged(false);
    MarkChangedFromCore();
}

void IControl::PromptForValue() {
    if (paramIdx < 0 || promptDisabled || !plug)
        return;
    ICoreParameter* parameter = plug->GetParam(paramIdx);
    IGraphics* graphics = Graphics();
    if (!parameter || !graphics)
        return;
    PixelRect promptRect = rect;
    if (parameter->DisplayTextCount() == 0) {
        const int cx = static_cast<int>(static_cast<float>(rect.left + rect.right) * 0.5f);
        const int cy = static_cast<int>(static_cast<float>(rect.top + rect.bottom) * 0.5f);
        promptRect = {cx - 20, cy - 8, cx + 20, cy + 8};
    }
    graphics->PromptForParameterValue(this, parameter, promptRect);
    redrawFlags.fetch_or(kPendingRedraw);
}

bool IControl::AddLinkedParameter(int index) {
    auto* entry = new LinkedParameter;
    entry->paramIdx = index;
    if (linkedParameters.Add(entry))
        return true;
    delete entry;
    return false;
}

void IControl::SetLimits(double low, double high) {
    lowLimit = low;
    highLimit = high;
}

IGraphics* IControl::Graphics() const {
    // The core knows its editor only as an IEditorLink; IGraphics is the one implementation.
    return plug ? static_cast<IGraphics*>(plug->Editor()) : nullptr;
}

double IControl::Clamp(double v) const {
    if (v < lowLimit)
        return lowLimit;
    return v < highLimit ? v : highLimit;
}

void IControl::MarkChangedFromCore() {
    redrawFlags.fetch_or(kNeedsRedraw | kPendingRedraw);
}
