#include "tools/plughost/editor/EditorSessionBase.h"

#include "vst3/sdk/IPlugViewContentScaleSupport.h"

namespace plughost::editor {

using namespace Steinberg;

namespace {

// How long a hand takes: the system and the plug-in both see every step before the next.
constexpr int kPressMs = 60;
constexpr int kDragSteps = 8;
constexpr int kDragStepMs = 25;
constexpr int kWheelStepMs = 40;

} // namespace

bool EditorSessionBase::LoadPlugin(const std::string& bundlePath, std::string& errorText) {
    return effect.Create(bundlePath, errorText);
}

bool EditorSessionBase::OpenEditor(std::string& errorText) {
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
    if (view->isPlatformTypeSupported(platformType) != kResultOk) {
        errorText = "the editor cannot be placed in a window as " + std::string(platformType);
        view.reset();
        return false;
    }
    if (!ApplyContentScale(errorText)) {
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
    if (!ShowWindow("plughost editor: " + effect.ClassName(), errorText)) {
        view.reset();
        return false;
    }
    view->setFrame(ViewFrame());
    const bool attached = view->attached(ParentWindow(), platformType) == kResultOk;
    if (!attached || !ViewShown()) {
        errorText = "the editor refused the window";
        // Only an attachment that succeeded is closed.
        if (attached)
            view->removed();
        view->setFrame(nullptr);
        view.reset();
        return false;
    }
    return true;
}

bool EditorSessionBase::ApplyContentScale(std::string& errorText) {
    if (contentScale <= 0.0)
        return true;
    IPtr<IPlugViewContentScaleSupport> scaling =
        queryInterfacePtr<IPlugViewContentScaleSupport>(view.get());
    if (!scaling) {
        errorText = "the editor takes no scale factor";
        return false;
    }
    const auto factor = static_cast<IPlugViewContentScaleSupport::ScaleFactor>(contentScale);
    if (scaling->setContentScaleFactor(factor) != kResultOk) {
        errorText = "the editor refused the scale factor " + std::to_string(contentScale);
        return false;
    }
    return true;
}

void EditorSessionBase::CloseEditor() {
    if (!view)
        return;
    view->removed();
    view->setFrame(nullptr);
    view.reset();
    ViewClosed();
}

void EditorSessionBase::DestroyPluginWithEditorOpen() {
    effect.Release();
    // The last reference: the plug-in goes now, its editor window still open.
    view.reset();
}

bool EditorSessionBase::Perform(const EditorAction& action, std::string& errorText) {
    if (!view || !WindowOpen()) {
        errorText = "no editor is open";
        return false;
    }
    if (action.x < 0 || action.y < 0 || action.x >= editorWidth || action.y >= editorHeight) {
        errorText = "the point " + std::to_string(action.x) + "," + std::to_string(action.y) +
                    " lies outside the editor";
        return false;
    }
    if (!PointerAvailable(errorText))
        return false;
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
    RunFor(betweenActionsMs);
    return true;
}

bool EditorSessionBase::PlayClick(int x, int y) {
    if (!MovePointer(x, y))
        return false;
    RunFor(kPressMs);
    PressButton(true);
    RunFor(kPressMs);
    PressButton(false);
    RunFor(kPressMs);
    return true;
}

bool EditorSessionBase::PlayDrag(const EditorAction& action) {
    if (!MovePointer(action.x, action.y))
        return false;
    RunFor(kPressMs);
    PressButton(true);
    RunFor(kPressMs);
    for (int step = 1; step <= kDragSteps; ++step) {
        MovePointer(action.x + action.dx * step / kDragSteps,
                    action.y + action.dy * step / kDragSteps);
        RunFor(kDragStepMs);
    }
    PressButton(false);
    RunFor(kPressMs);
    return true;
}

bool EditorSessionBase::PlayWheel(const EditorAction& action) {
    if (!MovePointer(action.x, action.y))
        return false;
    RunFor(kPressMs);
    const int count = action.notches > 0 ? action.notches : -action.notches;
    for (int i = 0; i < count; ++i) {
        TurnWheel(action.notches > 0);
        RunFor(kWheelStepMs);
    }
    return true;
}

} // namespace plughost::editor
