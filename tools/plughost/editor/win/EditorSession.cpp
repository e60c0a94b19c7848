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

// How long a hand takes: the plug-in sees every step before the next.
constexpr int kPressMs = 60;
constexpr int kDragSteps = 8;
constexpr int kDragStepMs = 25;
constexpr int kWheelStepMs = 40;
// Longer than a double click's interval, so that two clicks stay two clicks.
constexpr int kBetweenActionsMs = 600;
constexpr int kWheelDelta = 120;

} // namespace

EditorSession::EditorSession()
    : frame(IPtr<EditorFrame>::adopt(new EditorFrame([this](int width, int height) {
          window.Resize(width, height);
          editorWidth = width;
          editorHeight = height;
      }))) {}

bool EditorSession::LoadPlugin(const std::string& bundlePath, std::string& errorText) {
    return effect.Create(bundlePath, errorText);
}

bool EditorSession::OpenEditor(std::string& errorText) {
    CloseEditor();
    if (!effect.IsCreated()) {
        errorText = "no plug-in is loaded";
        return false;
    }
    IPlugView* created = effect.Controller()->createView("editor");
    if (!created) {
        errorText = "'" + effect.ClassName() + "' has no editor";
        return false;
    }
    view = IPtr<IPlugView>::adopt(created);
    if (view->isPlatformTypeSupported(kPlatformType) != kResultOk) {
        errorText = "the editor cannot be placed in a window as " + std::string(kPlatformType);
        view.reset();
        return false;
    }
    ViewRect size;
    if (view->getSize(&size) != kResultOk || size.getWidth() <= 0 || size.getHeight() <= 0) {
        errorText = "the editor reports no size";
        view.reset();
        return false;
    }
    editorWidth = size.getWidth();
    editorHeight = size.getHeight();
    if (!window.IsOpen() || window.Width() != editorWidth || window.Height() != editorHeight) {
        if (!window.Open(editorWidth, editorHeight, "plughost editor: " + effect.ClassName(),
                         errorText)) {
            view.reset();
            return false;
        }
    }
    view->setFrame(frame.get());
    if (view->attached(window.Handle(), kPlatformType) != kResultOk || !EditorWindow()) {
        errorText = "the editor refused the window";
        view->removed();
        view->setFrame(nullptr);
        view.reset();
        return false;
    }
    return true;
}

void* EditorSession::EditorWindow() const {
    return window.IsOpen() ? GetWindow(static_cast<HWND>(window.Handle()), GW_CHILD) : nullptr;
}

void EditorSession::CloseEditor() {
    if (!view)
        return;
    view->removed();
    view->setFrame(nullptr);
    view.reset();
    if (EditorWindow())
        ++abandonedWindows;
}

void EditorSession::DestroyPluginWithEditorOpen() {
    effect.Release();
    // The last reference: the plug-in goes now, its editor window still open.
    view.reset();
}

void EditorSession::Close() {
    CloseEditor();
    effect.Release();
    if (EditorWindow())
        ++abandonedWindows;
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

bool EditorSession::Perform(const EditorAction& action, std::string& errorText) {
    if (!view || !window.IsOpen()) {
        errorText = "no editor is open";
        return false;
    }
    if (action.x < 0 || action.y < 0 || action.x >= editorWidth || action.y >= editorHeight) {
        errorText = "the point " + std::to_string(action.x) + "," + std::to_string(action.y) +
                    " lies outside the editor";
        return false;
    }
    bool played = false;
    switch (action.kind) {
    case EditorAction::Click:
        played = PlayClick(action.x, action.y);
        break;
    case EditorAction::Drag:
        played = PlayDrag(action);
        break;
    case EditorAction::Wheel:
        played = PlayWheel(action);
        break;
    }
    if (!played) {
        errorText = "the pointer could not be moved";
        return false;
    }
    RunFor(kBetweenActionsMs);
    return true;
}

bool EditorSession::PlayClick(int x, int y) {
    PointerInput pointer(window);
    if (!pointer.MoveTo(x, y))
        return false;
    RunFor(kPressMs);
    pointer.Button(1, true);
    RunFor(kPressMs);
    pointer.Button(1, false);
    RunFor(kPressMs);
    return true;
}

bool EditorSession::PlayDrag(const EditorAction& action) {
    PointerInput pointer(window);
    if (!pointer.MoveTo(action.x, action.y))
        return false;
    RunFor(kPressMs);
    pointer.Button(1, true);
    RunFor(kPressMs);
    for (int step = 1; step <= kDragSteps; ++step) {
        pointer.MoveTo(action.x + action.dx * step / kDragSteps,
                       action.y + action.dy * step / kDragSteps);
        RunFor(kDragStepMs);
    }
    pointer.Button(1, false);
    RunFor(kPressMs);
    return true;
}

bool EditorSession::PlayWheel(const EditorAction& action) {
    PointerInput pointer(window);
    if (!pointer.MoveTo(action.x, action.y))
        return false;
    RunFor(kPressMs);
    const int count = action.notches > 0 ? action.notches : -action.notches;
    for (int i = 0; i < count; ++i) {
        pointer.Wheel(action.notches > 0 ? kWheelDelta : -kWheelDelta);
        RunFor(kWheelStepMs);
    }
    return true;
}

bool EditorSession::Capture(RgbImage& image, std::string& errorText) {
    return window.Capture(image, errorText);
}

} // namespace plughost::editor
