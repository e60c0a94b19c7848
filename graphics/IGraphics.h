#pragma once

#include "core/IEditorLink.h"
#include "core/PointerList.h"
#include "core/TextBuffer.h"
#include "graphics/Blend.h"
#include "graphics/Colour.h"
#include "graphics/FrameBitmap.h"
#include "graphics/IControl.h"
#include "graphics/MouseMods.h"
#include "graphics/PixelRect.h"
#include "graphics/TextStyle.h"

#include <cstdint>
#include <vector>

class ICoreParameter;
class IPlugBase;
class IPopupMenu;
class LICE_CachedFont;
class LICE_IBitmap;
class LICE_MemBitmap;
class LICE_SysBitmap;

// The platform-neutral editor: its controls, the drawing bitmap they are composed into, the
// rules that route input to them and bring changed ones to the screen, and the flow of values
// between the plug-in core and the controls. A window layer derives from it and supplies the
// abstract platform slots.
//
// Threads: everything runs on the user-interface thread except ParameterChangedInCore and
// SyncControlsFromCore, which the core also calls on the audio thread under the plug-in lock.
// The control list changes only under that lock, so those calls always walk a stable list.
class IGraphics : public IEditorLink {
  public:
    static constexpr int kDefaultFrameRate = 25;

    IGraphics(IPlugBase* plug, int width, int height, int frameRate = kDefaultFrameRate);
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    // The editor link the core calls.
    // Plug-in constructor, under the plug-in lock: the first value of parameter `paramIdx`.
    void SyncControlsFromCore(int paramIdx, double normalised) override;
    // Any thread (the audio thread holds the plug-in lock): mirrors a value into the controls.
    void ParameterChangedInCore(int paramIdx, double value, bool normalised) override;
    // User-interface thread: (re)creates the editor-sized drawing bitmap.
    void CreateDrawingBitmaps() override;

    // The virtual interface, in slot order. Unless said otherwise, user-interface thread.
    virtual bool PresentToWindow(const PixelRect& rect) = 0;
    virtual bool MeasureText(TextStyle& style, const char* text, PixelRect& rect);
    virtual void CancelTextEntry() = 0;
    virtual void ResizeEditor(int newWidth, int newHeight);
    virtual bool IsWindowOpen();
    virtual const char* DrawingApiName();
    virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
    // Returns the menu that holds the chosen item (its chosen item set), or none.
    virtual IPopupMenu* PopupMenuAt(IPopupMenu& menu, const PixelRect& rect) = 0;
    virtual void OpenTextEntry(IControl* control, const TextStyle& style, const PixelRect& rect,
                               const char* initialText, ICoreParameter* parameter) = 0;
    virtual void HostExecutableFolder(TextBuffer& out) = 0;
    virtual void ModuleFolder(TextBuffer& out) = 0;
    virtual void DesktopFolder(TextBuffer& out) = 0;
    virtual void AppDataFolder(TextBuffer& out, bool allUsers) = 0;
    virtual void UserDataFolder(TextBuffer& out) = 0;
    // action 1 saves, anything else opens; `file` is empty after a cancel or failure.
    virtual void PromptForFile(TextBuffer& file, int action, TextBuffer& folder,
                               const char* extensions) = 0;
    virtual bool PromptForColour(Colour& colour, const char* title) = 0;
    virtual bool OpenUrl(const char* url, const char* title, const char* confirmText,
                         const char* failureText) = 0;
    virtual void* UnusedHook17() { return nullptr; }
    virtual void* OpenWindow(void* parent) = 0;
    virtual void UnusedHook19() {}
    virtual void UnusedHook20() {}
    virtual void CloseWindow() = 0;
    virtual void* WindowHandle() = 0;
    virtual bool ReadClipboardText(TextBuffer& out) = 0;
    ~IGraphics() override;
    virtual void HideMouseCursor() {}
    virtual void RestoreMouseCursor() {}
    virtual void UnusedHook27() = 0;
    // A new bitmap decoded from the module's image `id`; `name` must end in ".png".
    virtual LICE_IBitmap* LoadResourceImage(int id, const char* name) = 0;
    // The host's event loop for the window, on platforms where the host runs the plug-in's
    // timers and input (Linux: a VST 3 Steinberg::Linux::IRunLoop); none to forget it. A
    // layer that keeps it adds its own reference. Given before OpenWindow. Ignored by default.
    virtual void SetHostEventLoop(void* hostEventLoop) { (void)hostEventLoop; }
    // The display scale the system asks for when the host gives none, read for the host's
    // window `parent` (1 where the system says nothing). Called before OpenWindow.
    virtual double SystemScale(void* parent) {
        (void)parent;
        return 1.0;
    }

    // Building the editor.
    // A module image is only sized here, from its file's header; it is decoded when first drawn
    // or by PrepareImages, so a plug-in whose editor never opens decodes nothing.
    FrameBitmap LoadFrameBitmap(int id, const char* name, int frameCount);
    // Decodes every image this editor loaded and nothing decoded yet. The window layers call it
    // as the window opens, so the first paint never waits for it.
    void PrepareImages();
    // Takes ownership; returns the control's index.
    int AddControl(IControl* control);
    // The full-size picture below every control, as control 0.
    void InstallBackground(const FrameBitmap& bitmap);
    // Takes ownership of the control offered keys that hit no other control.
    void SetKeyHandler(IControl* control);

    // The display scale. The layout (control rectangles, hit areas, input routing) stays in 1x
    // units; the drawing bitmap and the window are `Scale()` times larger, and this is where
    // the two meet. Factors outside 1..4 are refused; a change recreates the drawing bitmap,
    // marks every control for redrawing and lets the window layer take the new size.
    static constexpr double kMinScale = 1.0;
    static constexpr double kMaxScale = 4.0;
    bool SetScale(double newScale);
    double Scale() const { return scale; }
    // The window's size in pixels at the current scale.
    int WindowWidth() const;
    int WindowHeight() const;
    // Where the layout rectangle `rect` is drawn, in pixels of the drawing bitmap.
    PixelRect PixelsOf(const PixelRect& rect) const;
    // The layout coordinate of window pixel `pixel`: the point whose drawn pixels hold it.
    int LayoutCoordinate(int pixel) const;

    // Drawing. `RedrawArea` and `BlitBitmapArea` take pixels of the drawing bitmap;
    // `DrawBitmapFrame` takes the layout rectangle the frame fills.
    bool RedrawArea(const PixelRect& rect);
    bool BlitBitmapArea(LICE_IBitmap* bitmap, const PixelRect& dest, int srcX, int srcY,
                        const Blend* blend = nullptr);
    // `frame` counts from 1.
    bool DrawBitmapFrame(const FrameBitmap& bitmap, const PixelRect& dest, int frame,
                         const Blend* blend = nullptr);
    // In pixels of the drawing bitmap.
    bool CollectDirtyArea(PixelRect& dirtyArea);

    // Text.
    bool RenderText(TextStyle& style, const char* text, PixelRect& rect, bool measure = false);
    LICE_CachedFont* CachedFontFor(TextStyle& style);

    // Input routing, in editor coordinates.
    void HandleMouseDown(int x, int y, const MouseMods& mods);
    void HandleMouseUp(int x, int y, const MouseMods& mods);
    void HandleMouseDrag(int x, int y, const MouseMods& mods);
    // True when the control took it as a press and the window should capture the mouse.
    bool HandleDoubleClick(int x, int y, const MouseMods& mods);
    void HandleWheel(int x, int y, const MouseMods& mods, int notches);
    bool HandleKey(int x, int y, int keyCode);
    bool HandleMouseOver(int x, int y, const MouseMods& mods);
    void HandleMouseOut();
    // Ends the gesture of the captured control, if any, and forgets the capture.
    void ReleaseCapture();

    // Value prompts (menus and text entry; the platform parts are slots).
    void PromptForParameterValue(IControl* control, ICoreParameter* parameter,
                                 const PixelRect& rect);

    // The topmost visible, enabled control hit by (x, y), or -1.
    int ControlUnder(int x, int y);
    int NControls() const { return controls.Count(); }
    IControl* GetControl(int index) const { return controls.Get(index); }
    IPlugBase* Plug() const { return plug; }
    int Width() const { return width; }
    int Height() const { return height; }
    int FrameRate() const { return frameRate; }
    LICE_SysBitmap* DrawingBitmap() const { return drawingBitmap; }
    const PixelRect& DrawArea() const { return drawArea; }
    int CapturedControl() const { return capturedControl; }
    int MouseOverControl() const { return mouseOverControl; }
    int LastMouseX() const { return lastMouseX; }
    int LastMouseY() const { return lastMouseY; }
    void SetHandleMouseOver(bool on) { handleMouseOver = on; }
    bool TooltipsEnabled() const { return tooltipsEnabled; }
    void EnableTooltips(bool on) { tooltipsEnabled = on; }

  protected:
    // The scale changed (the drawing bitmap already has its new size): an open window takes
    // the new size and draws everything.
    virtual void WindowScaleChanged() {}
    // Direct and first-linked bindings of every control to `paramIdx` take `normalised`.
    void MirrorIntoControls(int paramIdx, double normalised);
    // Takes the plug-in lock, when there is a plug-in, around a change of the control list.
    void LockControlList();
    void UnlockControlList();
    void DeleteBitmaps();

    PointerList<IControl> controls;
    IPlugBase* plug;
    PixelRect drawArea;
    bool cursorHidden = false;
    int32_t savedCursorX = -1;
    int32_t savedCursorY = -1;
    LICE_SysBitmap* drawingBitmap = nullptr;
    LICE_MemBitmap* scratchBitmap = nullptr;
    int32_t width;
    int32_t height;
    int32_t frameRate;
    double scale = 1.0;
    int32_t capturedControl = -1;
    int32_t mouseOverControl = -1;
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    bool handleMouseOver = false;
    bool tooltipsEnabled = false;
    IControl* keyHandler = nullptr;
    // Ids of the images LoadFrameBitmap left to decode.
    std::vector<int32_t> undecodedImages;
};
