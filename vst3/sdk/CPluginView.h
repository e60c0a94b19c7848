// IPlugView helper: keeps the view rectangle, the host's parent window and
// the host's frame. A real editor overrides isPlatformTypeSupported at least.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IPlugView.h"

namespace Steinberg {

class CPluginView : public FObject, public IPlugView {
  public:
    explicit CPluginView(const ViewRect* rect = nullptr);
    ~CPluginView() override;

    const ViewRect& getRect() const { return rect; }
    void setRect(const ViewRect& r) { rect = r; }
    bool isAttached() const { return systemWindow != nullptr; }
    void* getSystemWindow() const { return systemWindow; }
    IPlugFrame* getFrame() const { return plugFrame; }

    // Hooks run by attached()/removed() after the parent window changed.
    virtual void attachedToParent() {}
    virtual void removedFromParent() {}

    // Host UI thread for all of these.
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    // Stores `parent` as the system window; the type is not checked here.
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onWheel(float distance) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API getSize(ViewRect* size) override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onFocus(TBool state) override;
    // Holds a reference to the frame until replaced or destroyed.
    tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
    tresult PLUGIN_API canResize() override;
    tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(CPluginView, FObject)

  protected:
    ViewRect rect;
    void* systemWindow = nullptr;
    IPlugFrame* plugFrame = nullptr;
};

} // namespace Steinberg
