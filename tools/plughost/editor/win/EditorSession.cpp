#include "tools/plughost/editor/win/EditorSession.h"

#include "tools/plughost/editor/win/PointerInput.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>

namespace plughost::editor {

using namespace Steinberg;

namespace {

constexpr int kBetweenActionsMs = 600;
constexpr int kWheelDelta = 120;

} // namespace

EditorSession::EditorSession()
    : EditorSessionBase(kPlatformType, kBetweenActionsMs),
      frame(IPtr<EditorFrame>::adopt(new EditorFrame([this](int width, int height) {
          window.Resize(width, height);
          EditorResized(width, height);
      }))) {
    // A host that scales its plug-ins sees the system's real DPI; an unaware one would be
    // told 96 and have its windows stretched by the system.
    SetProcessDPIAware();
}

bool EditorSession::ShowWindow(const std::string& title, std::string& errorText) {
    if (window.IsOpen() && window.Width() == EditorWidth() && window.Height() == EditorHeight())
        return true;
    return window.Open(EditorWidth(), EditorHeight(), title, errorText);
}

void* EditorSession::EditorWindow() const {
    return window.IsOpen() ? GetWindow(static_cast<HWND>(window.Handle()), GW_CHILD) : nullptr;
}

void EditorSession::ViewClosed() {
    if (EditorWindow())
        CountAbandoned();
}

void EditorSession::Close() {
    CloseEditor();
    effect.Release();
    if (EditorWindow())
        CountAbandoned();
    window.Close();
    effect.Destroy();
}

bool EditorSession::RunFor(int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (window.CloseRequested())
            return false;
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

bool EditorSession::MovePointer(int x, int y) {
    return PointerInput(window).MoveTo(x, y);
}

void EditorSession::PressButton(bool down) {
    PointerInput(window).Button(1, down);
}

void EditorSession::TurnWheel(bool away) {
    PointerInput(window).Wheel(away ? kWheelDelta : -kWheelDelta);
}

bool EditorSession::Capture(RgbImage& image, std::string& errorText) {
    return window.Capture(image, errorText);
}

} // namespace plughost::editor
