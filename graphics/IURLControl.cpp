#include "graphics/IURLControl.h"

#include "core/ICoreParameter.h"
#include "graphics/IGraphics.h"

#include <cstring>

IURLControl::IURLControl(IPlugBase* plug, const PixelRect& rect, const char* newAddress,
                         const char* newSecondAddress, const char* newTitle)
    : IControl(plug, rect, -1, Blend{BlendNormal, 1.0f}) {
    std::memset(address, 0, sizeof address);
    std::memset(secondAddress, 0, sizeof secondAddress);
    std::memset(title, 0, sizeof title);
    CopyText(address, newAddress, sizeof address);
    CopyText(secondAddress, newSecondAddress, sizeof secondAddress);
    CopyText(title, newTitle, sizeof title);
}

void IURLControl::MousePressed(int, int, const MouseMods&) {
    IGraphics* graphics = Graphics();
    if (!graphics || !address[0])
        return;
    if (graphics->OpenUrl(address, title, nullptr, nullptr))
        return;
    if (secondAddress[0])
        graphics->OpenUrl(secondAddress, title, nullptr, nullptr);
}
