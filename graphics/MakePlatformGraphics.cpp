#include "graphics/MakePlatformGraphics.h"

#include "graphics/IGraphicsHeadless.h"

IGraphics* MakePlatformGraphics(IPlugBase* plug, int width, int height) {
    return new IGraphicsHeadless(plug, width, height);
}
