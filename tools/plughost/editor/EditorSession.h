#pragma once

#include "tools/plughost/editor/EditorFrame.h"
#include "tools/plughost/editor/EditorOptions.h"
#include "tools/plughost/editor/EffectInstance.h"
#include "tools/plughost/editor/RgbImage.h"
#include "tools/plughost/editor/ToolWindow.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPtr.h"

#include <string>

namespace plughost::editor {

// A plug-in's editor shown the way a Linux host shows it: the view from createView("editor")
// is given a frame that is also the host's run loop and attached to a window of the tool as
// "X11EmbedWindowID". Everything runs on the calling thread; the plug-in's timers and X
// events run only inside RunFor, as a host's loop would run them.
class EditorSession {
  public:
    static constexpr const char* kPlatformType = "X11EmbedWindowID";

    EditorSession();
    ~EditorSession() { Close(); }
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    bool LoadPlugin(const std::string& bundlePath, std::string& errorText);
    // Asks for the view, opens the tool window at the view's size (or keeps it, when one is
    // open) and attaches the view to it.
    bool OpenEditor(std::string& errorText);
    // removed(), then the view is released. The window stays.
    void CloseEditor();
    // What a host does when it throws the plug-in away with its editor still open: the
    // effect is terminated and released, then the view, without removed().
    void DestroyPluginWithEditorOpen();
    // Closes the editor, destroys the plug-in, closes the window and unloads the module.
    void Close();

    // Runs the loop for `ms` milliseconds. False when the user closed the window.
    bool RunFor(int ms);
    // Plays one step of pointer input, with the pauses a hand would make.
    bool Perform(const EditorAction& action, std::string& errorText);
    bool Capture(RgbImage& image, std::string& errorText);

    bool EditorOpen() const { return view.get() != nullptr; }
    int EditorWidth() const { return editorWidth; }
    int EditorHeight() const { return editorHeight; }
    // Timers and descriptor handlers the plug-in left registered when it was closed.
    int AbandonedHandlers() const { return abandonedHandlers; }
    EffectInstance& Effect() { return effect; }
    EditorFrame& Frame() { return *frame.get(); }
    ToolWindow& Window() { return window; }

  private:
    bool PlayClick(int x, int y);
    bool PlayDrag(const EditorAction& action);
    bool PlayWheel(const EditorAction& action);

    EffectInstance effect;
    ToolWindow window;
    Steinberg::IPtr<EditorFrame> frame;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    int editorWidth = 0;
    int editorHeight = 0;
    int abandonedHandlers = 0;
};

} // namespace plughost::editor
