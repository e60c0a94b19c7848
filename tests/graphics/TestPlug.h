#pragma once

#include "core/IPlugBase.h"
#include "graphics/IGraphicsHeadless.h"
#include "lice/LICE_MemBitmap.h"

#include <map>
#include <string>
#include <vector>

// One call the plug-in core received from the editor.
struct HostCall {
    enum Kind { Begin, Perform, End, HostMenu, Resize } kind;
    int index;
    double value; // Perform: the normalised value; HostMenu: x
    int y = 0;

    bool operator==(const HostCall&) const = default;
};

std::string Describe(const std::vector<HostCall>& calls);

// A plug-in core that records what the editor tells the host. Parameter 0 is a continuous gain
// (-18..18), 1 a two-state switch, 2 a three-position selector, 3 enumerated with display
// texts; the rest stay as the core creates them (all of them, without the declarations).
class TestPlug : public IPlugBase {
  public:
    explicit TestPlug(int parameterCount = 8, bool declareTestParameters = true);

    void BeginHostEdit(int index) override;
    void SendHostEdit(int index, double normalised) override;
    void EndHostEdit(int index) override;
    void PopupHostParamMenu(int index, int x, int y) override;
    void UnusedHook22() override {}
    int HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(TransportRecord*) override {}
    void ResizeEditorWindow(int width, int height) override;
    bool MidiMessageOut(const MidiMessage&) override { return false; }

    std::vector<HostCall> calls;
};

// A strip of `frames` frames of w x h opaque pixels, stacked vertically. Pixel (x, y) of frame
// k (1-based) is 0xFF000000 | k << 16 | y << 8 | x, so any pixel names its frame and place.
LICE_MemBitmap* MakeStrip(int width, int frameHeight, int frames);

// A headless editor whose images are made-up strips (MakeStrip) of registered shapes.
class StripGraphics : public IGraphicsHeadless {
  public:
    using IGraphicsHeadless::IGraphicsHeadless;

    // Loading id yields a strip of `frames` frames of w x h, as registered here.
    static void Register(int id, int width, int frameHeight, int frames);
    LICE_IBitmap* LoadResourceImage(int id, const char* name) override;

    static int LoadCount(int id);
};
