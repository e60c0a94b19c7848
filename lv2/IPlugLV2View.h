#pragma once

#include "lv2/IPlugLV2.h"

#include <chrono>

class IGraphicsX11;

// The editor as an LV2 X11 UI: the core's editor window inside the host's parent window,
// driven by the host's idle calls. Host user-interface thread throughout.
class IPlugLV2View {
  public:
    // Opens the plug-in's editor in `parent` (an X11 window id); none when the plug-in has no
    // editor or the window cannot open. The editor draws at `hostScale` when the host asks for
    // one it can have (1 to 4), else at the system's scale for `parent`. `widget` receives the
    // editor's window id.
    static IPlugLV2View* Open(IPlugLV2* plug, void* parent, const IPlugLV2::UiHost& host,
                              double hostScale, LV2UI_Widget* widget);
    ~IPlugLV2View();
    IPlugLV2View(const IPlugLV2View&) = delete;
    IPlugLV2View& operator=(const IPlugLV2View&) = delete;

    // A port's value as the host holds it: the editor's controls follow it.
    void PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
    // Handles the window's events; every frame period also redraws what changed. 0: keep
    // calling.
    int Idle();

    // The redraw period, the same as the editor's own timer elsewhere.
    static constexpr std::chrono::milliseconds kFramePeriod{40};

  private:
    IPlugLV2View(IPlugLV2* plug, IGraphicsX11* editor) : plug(plug), editor(editor) {}

    IPlugLV2* plug;
    IGraphicsX11* editor;
    std::chrono::steady_clock::time_point lastTick{};
};
