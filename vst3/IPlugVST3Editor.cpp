// The editor side of the VST 3 adapter: view creation and the plug-in's requests to the host's
// frame and context menu. User-interface thread throughout; no lock is taken.
#include "vst3/IPlugVST3.h"

#include "vst3/IPlugVST3View.h"
#include "vst3/sdk/IContextMenu.h"
#include "vst3/sdk/IPtr.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name) {
    if (!name || std::strcmp(name, ViewType::kEditor) != 0)
        return nullptr;
    // The new view holds a reference to this object; its own first reference is the caller's.
    auto* view = new IPlugVST3View(this);
    ViewCreated(view);
    return view;
}

void IPlugVST3::ViewCreated(IPlugVST3View* view) {
    views.Add(view);
}

void IPlugVST3::ViewDestroyed() {
    views.DeleteAll();
}

IPlugFrame* IPlugVST3::EditorFrame() const {
    const IPlugVST3View* view = FirstView();
    return view ? view->getFrame() : nullptr;
}

void IPlugVST3::ResizeEditorWindow(int width, int height) {
    IPlugVST3View* view = FirstView();
    if (!Editor() || !view || !view->getFrame())
        return;
    view->expectingResize = true;
    ViewRect size(0, 0, width, height);
    view->getFrame()->resizeView(view, &size);
}

void IPlugVST3::PopupHostParamMenu(int index, int x, int y) {
    IPlugVST3View* view = FirstView();
    if (!view || index < 0)
        return;
    IPtr<IComponentHandler3> handler = queryInterfacePtr<IComponentHandler3>(getComponentHandler());
    if (!handler)
        return;
    const ParamID id = static_cast<ParamID>(index);
    IContextMenu* menu = handler->createContextMenu(view, &id);
    if (!menu)
        return;
    menu->popup(x, y);
    menu->release();
}
