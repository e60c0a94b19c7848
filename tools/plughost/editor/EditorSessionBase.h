#pragma once

#include "tools/plughost/editor/EditorOptions.h"
#include "tools/plughost/editor/EffectInstance.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPtr.h"

#include <string>
#include <utility>

namespace plughost::editor {

// What a host does with a plug-in's editor on either system: the view from
// createView("editor") is sized, given the frame, attached to the tool's window and later
// removed, and pointer input is played with the pauses a hand would make. The platform's
// session supplies the window, the frame, the pointer and the loop that runs in between.
class EditorSessionBase {
  public:
    EditorSessionBase(const EditorSessionBase&) = delete;
    EditorSessionBase& operator=(const EditorSessionBase&) = delete;

    bool LoadPlugin(const std::string& bundlePath, std::string& errorText);
    // The display scale factor every view gets before it is sized and attached; 0 gives none.
    void SetContentScale(double factor) { contentScale = factor; }
    // Asks for the view, opens the tool window at the view's size (or keeps it, when one is
    // open) and attaches the view to it.
    bool OpenEditor(std::string& errorText);
    // removed(), then the view is released. The window stays.
    void CloseEditor();
    // What a host does when it throws the plug-in away with its editor still open: the
    // effect is terminated and released, then the view, without removed().
    void DestroyPluginWithEditorOpen();

    // Runs the host's loop for `ms` milliseconds. False when the user closed the window.
    virtual bool RunFor(int ms) = 0;
    // Plays one step of pointer input, with the pauses a hand would make.
    bool Perform(const EditorAction& action, std::string& errorText);

    bool EditorOpen() const { return view.get() != nullptr; }
    int EditorWidth() const { return editorWidth; }
    int EditorHeight() const { return editorHeight; }
    std::pair<int, int> EditorSize() const { return {editorWidth, editorHeight}; }
    // What the editor left behind when it was closed (the platform's session says what).
    int AbandonedHandlers() const { return abandoned; }
    EffectInstance& Effect() { return effect; }

  protected:
    // `platformType` is the view's window type; a pause of `betweenActionsMs` follows every
    // action, longer than the system's double click interval so that two clicks stay two.
    EditorSessionBase(const char* platformType, int betweenActionsMs)
        : platformType(platformType), betweenActionsMs(betweenActionsMs) {}
    virtual ~EditorSessionBase() = default;

    // The frame's resize request: the window has taken the new size.
    void EditorResized(int width, int height) {
        editorWidth = width;
        editorHeight = height;
    }
    void CountAbandoned(int count = 1) { abandoned += count; }

    virtual Steinberg::IPlugFrame* ViewFrame() = 0;
    virtual bool WindowOpen() const = 0;
    // Opens the tool window at the editor's size, unless it is open at that size already.
    virtual bool ShowWindow(const std::string& title, std::string& errorText) = 0;
    virtual void* ParentWindow() const = 0;
    // Whether an attached view really shows in the window.
    virtual bool ViewShown() const { return true; }
    // After the view was removed and released.
    virtual void ViewClosed() {}

    virtual bool PointerAvailable(std::string& errorText) = 0;
    // The tool window's point (x, y).
    virtual bool MovePointer(int x, int y) = 0;
    virtual void PressButton(bool down) = 0;
    // One notch away from the user (`away`) or towards.
    virtual void TurnWheel(bool away) = 0;

    EffectInstance effect;
    Steinberg::IPtr<Steinberg::IPlugView> view;

  private:
    bool PlayClick(int x, int y);
    bool PlayDrag(const EditorAction& action);
    bool PlayWheel(const EditorAction& action);
    bool ApplyContentScale(std::string& errorText);

    const char* const platformType;
    const int betweenActionsMs;
    int editorWidth = 0;
    int editorHeight = 0;
    int abandoned = 0;
    double contentScale = 0.0;
};

} // namespace plughost::editor
