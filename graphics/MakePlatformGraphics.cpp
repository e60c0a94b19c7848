#include "graphics/MakePlatformGraphics.h"

#if SORVEL_X11_WINDOW
#include "graphics/x11/IGraphicsX11.h"
#elif SORVEL_WIN_WINDOW
#include "graphics/win/IGraphicsWin.h"
#else
#include "graphics/IGraphicsHeadless.h"
#endif

IGraphics* MakePlatformGraphics(IPlugBase* plug, int width, int height) {
#if SORVEL_X11_WINDOW
    return new IGraphicsX11(plug, width, height);
#elif SORVEL_WIN_WINDOW
    return new IGraphicsWin(plug, width, height);
#else
    return new IGraphicsHeadless(plug, width, height);
#endif
}
