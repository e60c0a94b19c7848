#include "lv2/IPlugLV2View.h"

#include "graphics/x11/IGraphicsX11.h"

#include <cmath>
#include <cstdint>

IPlugLV2View* IPlugLV2View::Open(IPlugLV2* plug, void* parent, const IPlugLV2::UiHost& host,
                                 double hostScale, LV2UI_Widget* widget) {
    auto* editor = plug ? dynamic_cast<IGraphicsX11*>(plug->Editor()) : nullptr;
    // One editor serves one UI: a second would take the first one's window.
    if (!editor || !parent || editor->IsWindowOpen())
        return nullptr;
    // The host's loop is its idle calls: the window registers with no run loop of its own.
    editor->SetHostEventLoop(nullptr);
    // A factor the host gives wins; one it cannot have, or none, leaves the system's.
    if (!editor->SetScale(hostScale))
        editor->SetScale(editor->SystemScale(parent));
    void* window = editor->OpenWindow(parent);
    if (!window)
        return nullptr;
    if (widget)
        *widget = window;
    plug->SetUiHost(host);
    if (host.resize)
        host.resize->ui_resize(host.resize->handle, editor->WindowWidth(), editor->WindowHeight());
    plug->EditorOpened();
    return new IPlugLV2View(plug, editor);
}

IPlugLV2View::~IPlugLV2View() {
    plug->EditorClosed();
    editor->CloseWindow();
    plug->SetUiHost(IPlugLV2::UiHost{});
}

void IPlugLV2View::PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format,
                             const void* buffer) {
    if (format != 0 || bufferSize != sizeof(float) || !buffer)
        return;
    if (port >= static_cast<uint32_t>(plug->NParams()))
        return;
    plug->ShowCoreValue(static_cast<int>(port));
}

int IPlugLV2View::Idle() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTick >= kFramePeriod) {
        lastTick = now;
        editor->TimerTick();
    } else {
        editor->ProcessPendingEvents();
    }
    return 0;
}
