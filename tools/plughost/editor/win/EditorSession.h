#pragma once

#include "tools/plughost/editor/EditorOptions.h"
#include "tools/plughost/editor/EffectInstance.h"
#include "tools/plughost/editor/RgbImage.h"
#include "tools/plughost/editor/win/EditorFrame.h"
#include "tools/plughost/editor/win/ToolWindow.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPtr.h"

#include <string>

namespace plughost::editor {

// A plug-in's editor shown the way a Windows host shows it: the view from createView("editor")
// gets a frame and is attached to a window of the tool as "HWND". Everything runs on the
// calling thread; the editor's timer and input arrive only while RunFor dispatches messages.
class EditorSession {
  public:
    static constexpr const char* kPlatformType = "HWND";

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

    // Dispatches the thread's messages for `ms` milliseconds. False when the user closed the
    // window.
    bool RunFor(int ms);
    // Plays one step of pointer input, with the pauses a hand would make.
    bool Perform(const EditorAction& action, std::string& errorText);
    bool Capture(RgbImage& image, std::string& errorText);

    bool EditorOpen() const { return view.get() != nullptr; }
    int EditorWidth() const { return editorWidth; }
    int EditorHeight() const { return editorHeight; }
    // Windows the editor left in the tool window after its view was removed.
    int AbandonedHandlers() const { return abandonedWindows; }
    // The editor's window inside the tool window (the first child), or none.
    void* EditorWindow() const;
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
    int abandonedWindows = 0;
};

} // namespace plughost::editor
