#pragma once

#include "vst3/sdk/CPluginView.h"
#include "vst3/sdk/IPlugViewContentScaleSupport.h"

class IGraphics;
class IPlugVST3;

// The view a host embeds in its own window: opens and closes the plug-in's editor window
// inside the host's, and reports the editor's fixed size. Holds a reference to the plug-in,
// so the plug-in outlives its views. Every operation runs on the host's user-interface thread
// and takes no lock.
//
// The host may give a display scale factor (IPlugViewContentScaleSupport); without one the
// system's own scale for the host's window is taken at attach. At factor f the view is
// round(1156 f) x round(456 f) pixels.
class IPlugVST3View : public Steinberg::CPluginView,
                      public Steinberg::IPlugViewContentScaleSupport {
  public:
    // The parent window type this platform's editor embeds into.
    static const char* const kPlatformType;

    explicit IPlugVST3View(IPlugVST3* plug);
    ~IPlugVST3View() override;

    Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
    Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
    Steinberg::tresult PLUGIN_API removed() override;
    Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
    Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;
    // The view's size is fixed at a given factor: any rectangle becomes that size.
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;
    // 1 <= factor <= 4, anything else answers kResultFalse and changes nothing. While attached,
    // a new factor resizes the window and asks the frame for the new size.
    Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return CPluginView::addRef(); }
    Steinberg::uint32 PLUGIN_API release() override { return CPluginView::release(); }

    // Set when the plug-in asked the host to resize the view; cleared by the next onSize.
    bool expectingResize = false;

    FOBJECT_TYPE(IPlugVST3View, CPluginView)

  private:
    IGraphics* Editor() const;
    // Asks the host's frame, if any, for the editor's size at its current scale.
    void RequestEditorSize();

    IPlugVST3* plug;
    bool opened = false;     // attached succeeded and removed has not come yet
    bool hostScaled = false; // the host gave a factor; the system's own scale no longer counts
};
