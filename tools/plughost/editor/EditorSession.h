#pragma once

#include "tools/plughost/editor/EditorFrame.h"
#include "tools/plughost/editor/EditorSessionBase.h"
#include "tools/plughost/editor/RgbImage.h"
#include "tools/plughost/editor/ToolWindow.h"

#include <string>

namespace plughost::editor {

// A plug-in's editor shown the way a Linux host shows it: the view's frame is also the host's
// run loop, and the view is attached to a window of the tool as "X11EmbedWindowID".
// Everything runs on the calling thread; the plug-in's timers and X events run only inside
// RunFor, as a host's loop would run them.
class EditorSession : public EditorSessionBase {
  public:
    static constexpr const char* kPlatformType = "X11EmbedWindowID";

    EditorSession();
    ~EditorSession() override { Close(); }

    // Closes the editor, destroys the plug-in, closes the window and unloads the module.
    void Close();
    bool RunFor(int ms) override;
    bool Capture(RgbImage& image, std::string& errorText);

    // AbandonedHandlers() counts the timers and descriptor handlers the plug-in left
    // registered when it was closed.
    EditorFrame& Frame() { return *frame.get(); }
    ToolWindow& Window() { return window; }

  private:
    Steinberg::IPlugFrame* ViewFrame() override { return frame.get(); }
    bool WindowOpen() const override { return window.IsOpen(); }
    bool ShowWindow(const std::string& title, std::string& errorText) override;
    void* ParentWindow() const override;
    bool PointerAvailable(std::string& errorText) override;
    bool MovePointer(int x, int y) override;
    void PressButton(bool down) override;
    void TurnWheel(bool away) override;

    ToolWindow window;
    Steinberg::IPtr<EditorFrame> frame;
};

} // namespace plughost::editor
