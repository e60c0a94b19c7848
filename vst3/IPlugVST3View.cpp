#include "vst3/IPlugVST3View.h"

#include "graphics/IGraphics.h"
#include "vst3/IPlugVST3.h"
#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/IRunLoop.h"

#include <cstring>

using namespace Steinberg;

#if SMTG_OS_WINDOWS
const char* const IPlugVST3View::kPlatformType = kPlatformTypeHWND;
#else
const char* const IPlugVST3View::kPlatformType = kPlatformTypeX11EmbedWindowID;
#endif

namespace {

bool IsPlatformType(FIDString type)
{
    return type && std::strcmp(type, IPlugVST3View::kPlatformType) == 0;
}

} // namespace

IPlugVST3View::IPlugVST3View(IPlugVST3* plug) : plug(plug)
{
    plug->addRef();
}

IPlugVST3View::~IPlugVST3View()
{
    // Every entry goes, not only this one: the list never holds a view that may be gone.
    plug->ViewDestroyed();
    plug->release();
}

IGraphics* IPlugVST3View::Editor() const
{
    return dynamic_cast<IGraphics*>(plug->Editor());
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
    return Editor() && IsPlatformType(type) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
    IGraphics* editor = Editor();
    if (!editor || !parent) return kResultFalse;
    const double scaleBefore = editor->Scale();
    if (IsPlatformType(type) && !hostScaled) editor->SetScale(editor->SystemScale(parent));
    if (IsPlatformType(type)) {
#if !SMTG_OS_WINDOWS
        // Linux editors run only when the host's loop calls them; the frame offers that loop.
        IPtr<Linux::IRunLoop> runLoop = queryInterfacePtr<Linux::IRunLoop>(getFrame());
        editor->SetHostEventLoop(runLoop.get());
#endif
        if (!editor->OpenWindow(parent)) {
            // Nothing stays half open: the host shows no editor and may attach again later.
            editor->SetHostEventLoop(nullptr);
            return kResultFalse;
        }
    }
    opened = true;
    plug->EditorOpened();
    // A host may size its window from getSize before it gives the factor, or the system's
    // scale may differ from what getSize said: either way the frame hears the size now.
    if (editor->Scale() != 1.0 || editor->Scale() != scaleBefore) RequestEditorSize();
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::removed()
{
    // Only an attachment that succeeded is closed: the plug-in hears of every close once, after
    // its open.
    IGraphics* editor = Editor();
    if (editor && opened) {
        opened = false;
        plug->EditorClosed();
        editor->CloseWindow();
        // The loop belongs to the frame, which the host may let go once the view is removed.
        editor->SetHostEventLoop(nullptr);
    }
    return CPluginView::removed();
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
    IGraphics* editor = Editor();
    if (!editor) return kResultFalse;
    if (!size) return kInvalidArgument;
    *size = ViewRect(0, 0, editor->WindowWidth(), editor->WindowHeight());
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::checkSizeConstraint(ViewRect* size)
{
    IGraphics* editor = Editor();
    if (!editor) return kResultFalse;
    if (!size) return kInvalidArgument;
    size->right = size->left + editor->WindowWidth();
    size->bottom = size->top + editor->WindowHeight();
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor factor)
{
    if (!(factor >= IGraphics::kMinScale && factor <= IGraphics::kMaxScale)) return kResultFalse;
    hostScaled = true;
    IGraphics* editor = Editor();
    if (!editor) return kResultOk;
    const double before = editor->Scale();
    editor->SetScale(factor);
    // Before attach the frame is asked once the view is attached.
    if (opened && editor->Scale() != before) RequestEditorSize();
    return kResultOk;
}

void IPlugVST3View::RequestEditorSize()
{
    IGraphics* editor = Editor();
    IPlugFrame* frame = getFrame();
    if (!editor || !frame) return;
    expectingResize = true;
    ViewRect size(0, 0, editor->WindowWidth(), editor->WindowHeight());
    frame->resizeView(this, &size);
}

tresult PLUGIN_API IPlugVST3View::queryInterface(const TUID iid, void** obj)
{
    if (obj && iidEqual(iid, IPlugViewContentScaleSupport::iid))
        return answer<IPlugViewContentScaleSupport>(this, obj);
    return CPluginView::queryInterface(iid, obj);
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize)
{
    if (!newSize) return kResultOk;
    rect = *newSize;
    if (expectingResize) {
        plug->EditorResized();
        expectingResize = false;
    }
    return kResultOk;
}
