#include "tools/plughost/editor/EditorSession.h"

#include "tools/plughost/editor/PointerInput.h"

#include <chrono>
#include <cstdint>

namespace plughost::editor {

using namespace Steinberg;

namespace {

constexpr int kBetweenActionsMs = 450;

} // namespace

EditorSession::EditorSession()
    : EditorSessionBase(kPlatformType, kBetweenActionsMs),
      frame(IPtr<EditorFrame>::adopt(new EditorFrame([this](int width, int height) {
          window.Resize(width, height);
          EditorResized(width, height);
      }))) {}

bool EditorSession::ShowWindow(const std::string& title, std::string& errorText) {
    if (window.IsOpen() && window.Width() == EditorWidth() && window.Height() == EditorHeight())
        return true;
    return window.Open(EditorWidth(), EditorHeight(), title, errorText);
}

void* EditorSession::ParentWindow() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window.Id()));
}

void EditorSession::Close() {
    CloseEditor();
    effect.Release();
    window.Close();
    // Handlers left behind would be released after their code is unloaded.
    CountAbandoned(frame->Loop().Clear());
    effect.Destroy();
}

bool EditorSession::RunFor(int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        window.HandleEvents();
        if (window.CloseRequested())
            return false;
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return true;
        // Requests of the tool's own must reach the server before the loop sleeps.
        window.Sync();
        frame->Loop().RunOnce(static_cast<int>(left), window.ConnectionFd());
    }
}

bool EditorSession::PointerAvailable(std::string& errorText) {
    if (PointerInput(window).Available())
        return true;
    errorText = "the X server has no XTEST extension";
    return false;
}

bool EditorSession::MovePointer(int x, int y) {
    return PointerInput(window).MoveTo(x, y);
}

void EditorSession::PressButton(bool down) {
    PointerInput(window).Button(1, down);
}

void EditorSession::TurnWheel(bool away) {
    // The server's wheel is buttons 4 (away) and 5 (towards), a press and release a notch.
    const unsigned int button = away ? 4 : 5;
    PointerInput pointer(window);
    pointer.Button(button, true);
    pointer.Button(button, false);
}

bool EditorSession::Capture(RgbImage& image, std::string& errorText) {
    return window.Capture(image, errorText);
}

} // namespace plughost::editor
