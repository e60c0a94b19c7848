#pragma once

#include "graphics/IControl.h"

// An invisible area that opens a web page when pressed.
class IURLControl : public IControl {
  public:
    static constexpr int kAddressSize = 256;
    static constexpr int kTitleSize = 1024;

    IURLControl(IPlugBase* plug, const PixelRect& rect, const char* address,
                const char* secondAddress = "", const char* title = "");

    void MousePressed(int x, int y, const MouseMods& mods) override;
    void Draw(IGraphics*) override {}

    const char* Address() const { return address; }
    const char* SecondAddress() const { return secondAddress; }

  protected:
    char address[kAddressSize];
    // Tried when the first address cannot be opened.
    char secondAddress[kAddressSize];
    char title[kTitleSize];
};
