#include "graphics/x11/IGraphicsX11.h"

#include "graphics/ResourceImage.h"
#include "graphics/x11/DesktopFolders.h"
#include "graphics/x11/RunLoopClient.h"
#include "graphics/x11/UrlOpener.h"
#include "graphics/x11/X11EmbeddedWindow.h"
#include "graphics/x11/X11ErrorTrap.h"
#include "graphics/x11/XftDpi.h"
#include "lice/LICE_SysBitmap.h"
#include "vst3/ModuleInfo.h"
#include "vst3/sdk/IRunLoop.h"

#include <cstdint>

using namespace Steinberg;

IGraphicsX11::IGraphicsX11(IPlugBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), window(new X11EmbeddedWindow) {}

// Closes the window first: a host may destroy the plug-in without removing the view.
IGraphicsX11::~IGraphicsX11() {
    CloseWindow();
    SetHostEventLoop(nullptr);
    delete window;
    ReapUrlOpeners();
}

void* IGraphicsX11::OpenWindow(void* parent) {
    PrepareImages();
    int x = 0;
    int y = 0;
    if (window->IsOpen()) {
        // A second open replaces the window at the place the first one had.
        if (!window->Position(x, y))
            x = y = 0;
        CloseWindow();
    }
    const Window parentId = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
    if (!window->Open(parentId, x, y, WindowWidth(), WindowHeight()))
        return nullptr;
    captured = false;
    reportsLeave = false;
    doubleClick.Reset();
    // The first tick draws everything.
    for (int i = 0; i < NControls(); ++i)
        GetControl(i)->MarkChanged(false);
    RegisterWithRunLoop();
    return WindowHandle();
}

void IGraphicsX11::CloseWindow() {
    if (!window->IsOpen())
        return;
    // Nothing of the host's loop may reach a window that is gone.
    UnregisterFromRunLoop();
    // A press still held would leave the host's gesture open for good.
    ReleaseCapture();
    captured = false;
    // Called from inside an event (through the plug-in and its host): the pass in progress
    // still uses the connection, and closes the window when it ends.
    if (inEventPass)
        closePending = true;
    else
        window->Close();
}

void* IGraphicsX11::WindowHandle() {
    return window->IsOpen() ? reinterpret_cast<void*>(static_cast<uintptr_t>(window->Id()))
                            : nullptr;
}

void IGraphicsX11::SetHostEventLoop(void* hostEventLoop) {
    auto* newLoop = static_cast<Linux::IRunLoop*>(hostEventLoop);
    if (newLoop == runLoop)
        return;
    const bool open = window->IsOpen();
    if (open)
        UnregisterFromRunLoop();
    if (newLoop)
        newLoop->addRef();
    if (runLoop)
        runLoop->release();
    runLoop = newLoop;
    if (open)
        RegisterWithRunLoop();
}

void IGraphicsX11::RegisterWithRunLoop() {
    if (!runLoop || !window->IsOpen())
        return;
    if (!runLoopClient)
        runLoopClient = new RunLoopClient(this);
    const int rate = frameRate > 0 ? frameRate : kDefaultFrameRate;
    const auto periodMs = static_cast<Linux::TimerInterval>(1000.0 / rate);
    timerRegistered = runLoop->registerTimer(runLoopClient, periodMs) == kResultOk;
    eventHandlerRegistered =
        runLoop->registerEventHandler(runLoopClient, ConnectionNumber(window->Connection())) ==
        kResultOk;
}

void IGraphicsX11::UnregisterFromRunLoop() {
    if (runLoop && timerRegistered)
        runLoop->unregisterTimer(runLoopClient);
    if (runLoop && eventHandlerRegistered)
        runLoop->unregisterEventHandler(runLoopClient);
    timerRegistered = false;
    eventHandlerRegistered = false;
    if (runLoopClient) {
        // The host may still hold a reference; the client outlives this editor harmlessly.
        runLoopClient->Detach();
        runLoopClient->release();
        runLoopClient = nullptr;
    }
}

void IGraphicsX11::TimerTick() {
    ReapUrlOpeners();
    if (!window->IsOpen() || inEventPass)
        return;
    inEventPass = true;
    {
        X11ErrorTrap trap(window->Connection());
        // Events that Xlib has already read leave nothing on the descriptor to wake the host.
        PixelRect area;
        HandleReadyEvents(area);
        PixelRect dirtyArea;
        if (!closePending && CollectDirtyArea(dirtyArea))
            area = area.Union(dirtyArea);
        if (!closePending && !area.IsEmpty())
            RedrawArea(area);
    }
    EndEventPass();
}

void IGraphicsX11::ProcessPendingEvents() {
    if (!window->IsOpen() || inEventPass)
        return;
    inEventPass = true;
    {
        X11ErrorTrap trap(window->Connection());
        PixelRect exposed;
        HandleReadyEvents(exposed);
        if (!closePending && !exposed.IsEmpty())
            RedrawArea(exposed);
    }
    EndEventPass();
}

void IGraphicsX11::EndEventPass() {
    inEventPass = false;
    if (closePending) {
        closePending = false;
        window->Close();
    }
}

bool IGraphicsX11::PresentToWindow(const PixelRect& rect) {
    LICE_SysBitmap* bitmap = DrawingBitmap();
    if (!bitmap || !window->IsOpen())
        return true;
    X11ErrorTrap trap(window->Connection());
    window->Present(bitmap->Bits(), bitmap->RowSpan(), bitmap->Width(), bitmap->Height(), rect);
    return true;
}

void IGraphicsX11::ResizeEditor(int newWidth, int newHeight) {
    if (newWidth == width && newHeight == height)
        return;
    IGraphics::ResizeEditor(newWidth, newHeight);
    if (!window->IsOpen())
        return;
    window->Resize(WindowWidth(), WindowHeight());
    RedrawArea(PixelRect{0, 0, WindowWidth(), WindowHeight()});
}

void IGraphicsX11::WindowScaleChanged() {
    if (!window->IsOpen())
        return;
    X11ErrorTrap trap(window->Connection());
    window->Resize(WindowWidth(), WindowHeight());
    RedrawArea(PixelRect{0, 0, WindowWidth(), WindowHeight()});
}

double IGraphicsX11::SystemScale(void*) {
    return XftDpiScale();
}

// Without a toolkit there is no dialog, menu or edit box to show: each of these reports what
// a user who dismissed it would have caused. This editor asks for none of them.
int IGraphicsX11::ShowMessageBox(const char*, const char*, int) {
    return 0;
}

IPopupMenu* IGraphicsX11::PopupMenuAt(IPopupMenu&, const PixelRect&) {
    ReleaseCapture();
    captured = false;
    return nullptr;
}

void IGraphicsX11::OpenTextEntry(IControl*, const TextStyle&, const PixelRect&, const char*,
                                 ICoreParameter*) {}

void IGraphicsX11::PromptForFile(TextBuffer& file, int, TextBuffer&, const char*) {
    file.Set("");
}

bool IGraphicsX11::PromptForColour(Colour&, const char*) {
    return false;
}

bool IGraphicsX11::ReadClipboardText(TextBuffer& out) {
    out.Set("");
    return false;
}

bool IGraphicsX11::OpenUrl(const char* url, const char*, const char* confirmText, const char*) {
    // No dialog could ask: a page that wants confirmation first stays closed.
    if (confirmText && *confirmText)
        return false;
    return LaunchUrlOpener(url);
}

void IGraphicsX11::HostExecutableFolder(TextBuffer& out) {
    ExecutableFolder(out);
}

void IGraphicsX11::ModuleFolder(TextBuffer& out) {
    out.Set(LoadedModuleFolder());
}

void IGraphicsX11::DesktopFolder(TextBuffer& out) {
    UserDesktopFolder(out);
}

void IGraphicsX11::AppDataFolder(TextBuffer& out, bool allUsers) {
    if (allUsers)
        SharedDataFolder(out);
    else
        UserDataHome(out);
}

void IGraphicsX11::UserDataFolder(TextBuffer& out) {
    AppDataFolder(out, false);
}

LICE_IBitmap* IGraphicsX11::LoadResourceImage(int id, const char* name) {
    return ::LoadResourceImage(id, name);
}
