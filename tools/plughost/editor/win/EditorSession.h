#pragma once

#include "tools/plughost/editor/EditorSessionBase.h"
#include "tools/plughost/editor/RgbImage.h"
#include "tools/plughost/editor/win/EditorFrame.h"
#include "tools/plughost/editor/win/ToolWindow.h"

#include <string>

namespace plughost::editor {

// A plug-in's editor shown the way a Windows host shows it: the view gets a frame and is
// attached to a window of the tool as "HWND". Everything runs on the calling thread; the
// editor's timer and input arrive only while RunFor dispatches messages.
class EditorSession : public EditorSessionBase {
  public:
    static constexpr const char* kPlatformType = "HWND";

    EditorSession();
    ~EditorSession() override { Close(); }

    // Closes the editor, destroys the plug-in, closes the window and unloads the module.
    void Close();
    // Dispatches the thread's messages for `ms` milliseconds. False when the user closed the
    // window.
    bool RunFor(int ms) override;
    bool Capture(RgbImage& image, std::string& errorText);

    // The editor's window inside the tool window (the first child), or none. Such windows left
    // behind after the view was removed are what AbandonedHandlers() counts.
    void* EditorWindow() const;
    EditorFrame& Frame() { return *frame.get(); }
    ToolWindow& Window() { return window; }

  private:
    Steinberg::IPlugFrame* ViewFrame() override { return frame.get(); }
    bool WindowOpen() const override { return window.IsOpen(); }
    bool ShowWindow(const std::string& title, std::string& errorText) override;
    void* ParentWindow() const override { return window.Handle(); }
    bool ViewShown() const override { return EditorWindow() != nullptr; }
    void ViewClosed() override;
    bool PointerAvailable(std::string&) override { return true; }
    bool MovePointer(int x, int y) override;
    void PressButton(bool down) override;
    void TurnWheel(bool away) override;

    ToolWindow window;
    Steinberg::IPtr<EditorFrame> frame;
};

} // namespace plughost::editor
