#pragma once

#include "core/PointerList.h"
#include "core/TextBuffer.h"
#include "graphics/Blend.h"
#include "graphics/MouseMods.h"
#include "graphics/PixelRect.h"
#include "graphics/TextStyle.h"

#include <atomic>
#include <cstdint>

class IGraphics;
class IPlugBase;

// A further parameter mirrored into a control. Written on the audio thread.
struct LinkedParameter {
    std::atomic<double> value{0.0};
    int32_t paramIdx = -1;
};

// A rectangle of the editor that draws itself and reacts to routed input. Holds the bound
// parameter's normalised value.
//
// Threads: everything runs on the user-interface thread except SyncValueFromCore and
// SyncLinkedValueFromCore, which the audio thread also calls (under the plug-in lock, which the
// user-interface thread does not take to draw). Their targets are atomics, so neither side waits.
class IControl {
  public:
    IControl(IPlugBase* plug, const PixelRect& rect, int paramIdx, const Blend& blend = {});
    IControl(const IControl&) = delete;
    IControl& operator=(const IControl&) = delete;

    // The virtual interface, in slot order.
    virtual ~IControl();
    virtual void MousePressed(int x, int y, const MouseMods& mods);
    virtual void MouseReleased(int x, int y, const MouseMods& mods);
    virtual void MouseDragged(int x, int y, int dx, int dy, const MouseMods& mods);
    virtual void MouseDoubleClicked(int x, int y, const MouseMods& mods);
    virtual void MouseWheelTurned(int x, int y, const MouseMods& mods, int notches);
    virtual bool KeyPressed(int x, int y, int keyCode);
    virtual void MouseHovered(int x, int y, const MouseMods& mods);
    virtual void MouseLeft();
    virtual void Draw(IGraphics* graphics) = 0;
    // Any thread: a value mirrored from the core; never pushed back.
    virtual void SyncValueFromCore(double v);
    // User-interface thread: a value typed or picked by the user; pushed to the core.
    virtual void SetValueFromEntry(double v);
    virtual void SetTextFromEntry(const char* text);
    virtual void SetHidden(bool hide);
    virtual void SetDisabled(bool disable);
    virtual bool HitTest(int x, int y);
    virtual void MarkChanged(bool pushToCore);
    virtual void MarkDrawn();
    virtual bool NeedsRedraw();
    virtual void UnusedHook19() {}
    // Any thread: a value mirrored into linked-parameter entry `position`.
    virtual void SyncLinkedValueFromCore(int position, double v);

    // User-interface thread: asks the user for a value of the bound parameter.
    void PromptForValue();

    // Mirrors parameter `index` into this control from now on; false when the list is full.
    bool AddLinkedParameter(int index);
    int NLinkedParameters() const { return linkedParameters.Count(); }
    LinkedParameter* GetLinkedParameter(int position) const {
        return linkedParameters.Get(position);
    }

    double GetValue() const { return value.load(); }
    // Sets the value without telling anyone; the caller decides about MarkChanged.
    void SetValue(double v) { value.store(v); }
    double GetDefaultValue() const { return defaultValue.load(); }
    int ParamIdx() const { return paramIdx; }
    const PixelRect& Rect() const { return rect; }
    const PixelRect& HitRect() const { return hitRect; }
    void SetHitRect(const PixelRect& r) { hitRect = r; }
    bool IsHidden() const { return hidden; }
    bool IsDisabled() const { return disabled; }
    bool ReportsWhileDisabled() const { return reportWhileDisabled; }
    bool DoubleClickActsAsPress() const { return doubleClickActsAsPress; }
    void SetDoubleClickActsAsPress(bool on) { doubleClickActsAsPress = on; }
    void SetPromptDisabled(bool off) { promptDisabled = off; }
    void SetLimits(double low, double high);
    bool PendingRedraw() const { return (redrawFlags.load() & kPendingRedraw) != 0; }
    const Blend& GetBlend() const { return blend; }
    TextStyle& GetTextStyle() { return textStyle; }
    int TextEntryLengthLimit() const { return textEntryLengthLimit; }
    void SetTooltip(const char* text) { tooltip.Set(text); }
    const char* Tooltip() const { return tooltip.Get(); }
    IPlugBase* Plug() const { return plug; }

  protected:
    // The plug-in's editor, or none before the core took ownership of it.
    IGraphics* Graphics() const;
    // The value limited to the low and high limits; NaN gives the high limit.
    double Clamp(double v) const;
    // Raises both redraw flags: this change must survive a draw pass that is running now.
    void MarkChangedFromCore();

    static constexpr uint8_t kNeedsRedraw = 1;
    static constexpr uint8_t kPendingRedraw = 2;

    int32_t textEntryLengthLimit = 7;
    TextStyle textStyle;
    IPlugBase* plug;
    PixelRect rect;
    PixelRect hitRect;
    int32_t paramIdx;
    PointerList<LinkedParameter> linkedParameters;
    std::atomic<double> value{0.0};
    std::atomic<double> defaultValue{-1.0};
    double lowLimit = 0.0;
    double highLimit = 1.0;
    // Needs-redraw and pending-redraw share one atomic so that a draw pass lowering the first
    // cannot lose a raise made by the audio thread between its read and its write.
    std::atomic<uint8_t> redrawFlags{kNeedsRedraw};
    bool hidden = false;
    bool disabled = false;
    bool promptDisabled = true;
    bool doubleClickActsAsPress = false;
    bool reportWhileDisabled = false;
    Blend blend;
    TextBuffer tooltip;
};
