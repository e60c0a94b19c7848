#pragma once

class IGraphics;
class IPlugBase;

// The editor for this platform, with no window yet. User-interface thread.
IGraphics* MakePlatformGraphics(IPlugBase* plug, int width, int height);
