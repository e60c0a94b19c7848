#pragma once

#include "vst3/sdk/CPluginView.h"

class IGraphics;
class IPlugVST3;

// The view a host embeds in its own window: opens and closes the plug-in's editor window
// inside the host's, and reports the editor's fixed size. Holds a reference to the plug-in,
// so the plug-in outlives its views. Every operation runs on the host's user-interface thread
// and takes no lock.
class IPlugVST3View : public Steinberg::CPluginView {
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

    // Set when the plug-in asked the host to resize the view; cleared by the next onSize.
    bool expectingResize = false;

    FOBJECT_TYPE(IPlugVST3View, CPluginView)

  private:
    IGraphics* Editor() const;

    IPlugVST3* plug;
    bool opened = false; // attached succeeded and removed has not come yet
};
