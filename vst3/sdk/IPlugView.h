// The editor view a host embeds in its own window, and the host's frame.
#pragma once

#include "vst3/sdk/FUnknown.h"

#include <cstddef>

namespace Steinberg {

// Parent types passed to IPlugView::attached().
inline constexpr FIDString kPlatformTypeHWND = "HWND";
inline constexpr FIDString kPlatformTypeHIView = "HIView";
inline constexpr FIDString kPlatformTypeNSView = "NSView";
inline constexpr FIDString kPlatformTypeUIView = "UIView";
// The parent is an X11 Window id; the child window must support XEmbed.
inline constexpr FIDString kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

class IPlugFrame;

#pragma pack(push, 16)

struct ViewRect {
    int32 left = 0;
    int32 top = 0;
    int32 right = 0;
    int32 bottom = 0;

    ViewRect() = default;
    ViewRect(int32 l, int32 t, int32 r, int32 b) : left(l), top(t), right(r), bottom(b) {}

    int32 getWidth() const { return right - left; }
    int32 getHeight() const { return bottom - top; }
};

class IPlugView : public FUnknown {
  public:
    virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
    virtual tresult PLUGIN_API removed() = 0;
    virtual tresult PLUGIN_API onWheel(float distance) = 0;
    virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
    virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
    virtual tresult PLUGIN_API onFocus(TBool state) = 0;
    virtual tresult PLUGIN_API setFrame(IPlugFrame* frame) = 0;
    virtual tresult PLUGIN_API canResize() = 0;
    virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;

    static constexpr FUID iid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};
};

class IPlugFrame : public FUnknown {
  public:
    virtual tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) = 0;

    static constexpr FUID iid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};
};

#pragma pack(pop)

static_assert(sizeof(ViewRect) == 16 && alignof(ViewRect) == 4);
static_assert(offsetof(ViewRect, left) == 0 && offsetof(ViewRect, top) == 4);
static_assert(offsetof(ViewRect, right) == 8 && offsetof(ViewRect, bottom) == 12);

} // namespace Steinberg
