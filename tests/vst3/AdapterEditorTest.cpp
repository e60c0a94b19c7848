// The adapter's editor side, in process: views, the host's frame and context menu, edit
// gestures, and values mirrored into the editor from the audio path.
#include "tests/vst3/PluginTestHost.h"
#include "tests/vst3/TestPlugVST3.h"
#include "vst3/IPlugVST3View.h"
#include "vst3/hosting/ComponentHandler.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// A host frame that records resize requests and answers them as a host does, with onSize.
class RecordingFrame : public FObject, public IPlugFrame {
  public:
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* size) override {
        requests.push_back(*size);
        return view->onSize(size);
    }
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
        if (iidEqual(iid, IPlugFrame::iid))
            return answer<IPlugFrame>(this, obj);
        return FObject::queryInterface(iid, obj);
    }
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    std::vector<ViewRect> requests;
};

// One plug-in object as the factory would hand it out, released at the end.
struct Plug {
    explicit Plug(bool withEditor) : object(new TestPlugVST3(withEditor)) {
        object->initialize(nullptr);
    }
    ~Plug() {
        object->terminate();
        EXPECT_EQ(object->release(), 0u) << "a view kept its reference to the plug-in";
    }
    TestPlugEditor* Editor() const { return static_cast<TestPlugEditor*>(object->Editor()); }
    IPtr<IPlugView> View() const { return IPtr<IPlugView>::adopt(object->createView("editor")); }

    TestPlugVST3* object;
};

} // namespace

TEST(AdapterEditor, ViewsAndTheEditorWindow) {
    Plug plug(true);
    {
        SCOPED_TRACE("only the exact name makes a view");
        EXPECT_EQ(plug.object->createView("Editor"), nullptr);
        EXPECT_EQ(plug.object->createView("editor2"), nullptr);
    }
    IPtr<IPlugView> view = plug.View();
    ASSERT_TRUE(view);
    {
        SCOPED_TRACE("platform type, size and attachment");
        EXPECT_EQ(view->isPlatformTypeSupported(IPlugVST3View::kPlatformType), kResultOk);
        const char* otherSystemsType = SMTG_OS_WINDOWS ? "X11EmbedWindowID" : "HWND";
        EXPECT_EQ(view->isPlatformTypeSupported(otherSystemsType), kResultFalse);
        ViewRect size;
        EXPECT_EQ(view->getSize(&size), kResultOk);
        EXPECT_TRUE(size.left == 0 && size.top == 0 && size.right == 1156 && size.bottom == 456);

        int parent = 0;
        EXPECT_EQ(view->attached(&parent, IPlugVST3View::kPlatformType), kResultOk);
        ASSERT_EQ(plug.Editor()->openedWith.size(), 1u);
        EXPECT_EQ(plug.Editor()->openedWith[0], &parent);
        EXPECT_EQ(plug.object->editorOpened, 1);
        EXPECT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(plug.Editor()->closed, 1);
        EXPECT_EQ(plug.object->editorClosed, 1);

        EXPECT_EQ(view->attached(&parent, "NSView"), kResultOk);
        EXPECT_EQ(plug.Editor()->openedWith.size(), 1u) << "a foreign parent type opened a window";
        EXPECT_EQ(plug.object->editorOpened, 2);
        view->removed();
    }
    {
        SCOPED_TRACE("no parent, or a window that cannot be made, is no attachment");
        int parent = 0;
        EXPECT_EQ(view->attached(nullptr, IPlugVST3View::kPlatformType), kResultFalse);
        plug.Editor()->windowFails = true;
        EXPECT_EQ(view->attached(&parent, IPlugVST3View::kPlatformType), kResultFalse);
        EXPECT_EQ(plug.object->editorOpened, 2) << "the plug-in was told of an editor not shown";
        EXPECT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(plug.object->editorClosed, 2) << "a close without an open";
        plug.Editor()->windowFails = false;
        EXPECT_EQ(view->attached(&parent, IPlugVST3View::kPlatformType), kResultOk);
        EXPECT_EQ(plug.object->editorOpened, 3);
        view->removed();
    }
    {
        SCOPED_TRACE("resize requests go through the first view's frame");
        IPtr<RecordingFrame> frame = IPtr<RecordingFrame>::adopt(new RecordingFrame);
        plug.object->ResizeEditorWindow(800, 300);
        EXPECT_EQ(plug.object->editorResized, 0) << "resized without a frame";
        EXPECT_EQ(view->setFrame(frame.get()), kResultOk);
        EXPECT_EQ(plug.object->EditorFrame(), frame.get());
        plug.object->ResizeEditorWindow(800, 300);
        ASSERT_EQ(frame->requests.size(), 1u);
        EXPECT_TRUE(frame->requests[0].right == 800 && frame->requests[0].bottom == 300);
        EXPECT_EQ(plug.object->editorResized, 1);
        ViewRect hostSize(0, 0, 640, 480);
        EXPECT_EQ(view->onSize(&hostSize), kResultOk);
        EXPECT_EQ(plug.object->editorResized, 1) << "a host-initiated resize reached the hook";
        view->setFrame(nullptr);
    }
    {
        SCOPED_TRACE("the host's context menu for a parameter");
        IPtr<Hosting::ComponentHandler> handler =
            IPtr<Hosting::ComponentHandler>::adopt(new Hosting::ComponentHandler);
        handler->setOffersContextMenus(true);
        plug.object->PopupHostParamMenu(1, 10, 20);
        EXPECT_TRUE(handler->getCalls().empty());
        plug.object->setComponentHandler(handler.get());
        plug.object->PopupHostParamMenu(TestPlugVST3::kMode, 10, 20);
        const std::vector<Hosting::HandlerCall> calls = handler->getCalls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0].kind, Hosting::HandlerCall::createContextMenu);
        EXPECT_EQ(calls[0].id, static_cast<ParamID>(TestPlugVST3::kMode));
        EXPECT_EQ(calls[1].kind, Hosting::HandlerCall::menuPopup);
        EXPECT_TRUE(calls[1].x == 10 && calls[1].y == 20);
        handler->clearCalls();

        IPtr<IPlugView> second = plug.View();
        EXPECT_EQ(plug.object->FirstView(), static_cast<IPlugVST3View*>(view.get()));
        second.reset();
        EXPECT_EQ(plug.object->FirstView(), nullptr) << "the views list outlived a view";
        plug.object->PopupHostParamMenu(TestPlugVST3::kMode, 10, 20);
        EXPECT_TRUE(handler->getCalls().empty());
        plug.object->setComponentHandler(nullptr);
    }
}

TEST(AdapterEditor, WithoutAnEditor) {
    Plug plug(false);
    IPtr<IPlugView> view = plug.View();
    ASSERT_TRUE(view) << "a view is made even without an editor";
    ViewRect size;
    EXPECT_EQ(view->isPlatformTypeSupported(IPlugVST3View::kPlatformType), kResultFalse);
    EXPECT_EQ(view->getSize(&size), kResultFalse);
    EXPECT_EQ(view->attached(nullptr, IPlugVST3View::kPlatformType), kResultFalse);
    EXPECT_EQ(plug.object->editorOpened, 0);
    EXPECT_EQ(view->removed(), kResultOk);
}

TEST(AdapterEditor, EditGesturesAndMirroredValues) {
    Plug plug(true);
    IPtr<Hosting::ComponentHandler> handler =
        IPtr<Hosting::ComponentHandler>::adopt(new Hosting::ComponentHandler);
    {
        SCOPED_TRACE("an editor gesture reaches the host with the unstepped value");
        plug.object->setComponentHandler(handler.get());
        plug.object->BeginHostEdit(TestPlugVST3::kMode);
        plug.object->SetParameterFromEditor(TestPlugVST3::kMode, 0.76);
        plug.object->EndHostEdit(TestPlugVST3::kMode);
        plug.object->BeginHostEdit(-1);
        const std::vector<Hosting::HandlerCall> calls = handler->getCalls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].kind, Hosting::HandlerCall::beginEdit);
        EXPECT_EQ(calls[1].kind, Hosting::HandlerCall::performEdit);
        EXPECT_EQ(calls[1].id, static_cast<ParamID>(TestPlugVST3::kMode));
        EXPECT_EQ(calls[1].value, 0.76);
        EXPECT_EQ(calls[2].kind, Hosting::HandlerCall::endEdit);
        EXPECT_EQ(plug.object->GetParam(TestPlugVST3::kMode)->value, 2.0);
        plug.object->setComponentHandler(nullptr);
    }
    {
        SCOPED_TRACE("host automation reaches the engine and the editor, normalised");
        ProcessSetup setup{kRealtime, kSample32, 32, 44100.0};
        ASSERT_EQ(plug.object->setupProcessing(setup), kResultOk);
        plug.Editor()->mirrored.clear();
        const int changesBefore = plug.object->parameterChanges;
        PluginTestHost::AudioBlock block(32, false);
        block.Change(TestPlugVST3::kGain, 0.25);
        EXPECT_EQ(plug.object->process(block.Data()), kResultOk);
        ASSERT_EQ(plug.Editor()->mirrored.size(), 1u);
        const TestPlugEditor::Mirror& mirror = plug.Editor()->mirrored[0];
        EXPECT_TRUE(mirror.index == TestPlugVST3::kGain && mirror.value == 0.25 &&
                    mirror.normalised);
        EXPECT_EQ(plug.object->parameterChanges, changesBefore + 1);
        EXPECT_EQ(plug.object->GetParam(TestPlugVST3::kGain)->value, -9.0);
    }
    {
        SCOPED_TRACE("setParamNormalized changes the value only");
        plug.Editor()->mirrored.clear();
        const int changesBefore = plug.object->parameterChanges;
        plug.object->setParamNormalized(TestPlugVST3::kGain, 1.0);
        EXPECT_EQ(plug.object->GetParam(TestPlugVST3::kGain)->value, 18.0);
        EXPECT_EQ(plug.object->parameterChanges, changesBefore);
        EXPECT_TRUE(plug.Editor()->mirrored.empty());
    }
}

TEST(AdapterEditor, ContentScale) {
    Plug plug(true);
    IPtr<IPlugView> view = plug.View();
    auto scaling = queryInterfacePtr<IPlugViewContentScaleSupport>(view.get());
    ASSERT_TRUE(scaling) << "the view does not take a scale factor";
    auto frame = IPtr<RecordingFrame>::adopt(new RecordingFrame);
    const auto sized = [](const ViewRect& r) {
        return std::make_pair(r.getWidth(), r.getHeight());
    };
    for (float bad : {0.5f, 4.01f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(scaling->setContentScaleFactor(bad), kResultFalse) << bad;
    // Some hosts give the factor before the frame and the attachment: the frame hears at attach.
    EXPECT_EQ(scaling->setContentScaleFactor(1.5f), kResultOk);
    ViewRect offered(10, 10, 20, 20);
    EXPECT_EQ(view->checkSizeConstraint(&offered), kResultOk);
    EXPECT_EQ(sized(offered), std::make_pair(1734, 684));
    view->setFrame(frame.get());
    int parent = 0;
    view->attached(&parent, IPlugVST3View::kPlatformType);
    EXPECT_EQ(scaling->setContentScaleFactor(2.0f), kResultOk);
    scaling->setContentScaleFactor(2.0f); // no change, no request
    view->removed();
    // Without a host factor the system's scale counts.
    plug.Editor()->SetScale(1.0);
    plug.Editor()->systemScale = 1.25;
    IPtr<IPlugView> second = plug.View();
    second->setFrame(frame.get());
    second->attached(&parent, IPlugVST3View::kPlatformType);
    second->removed();
    ASSERT_EQ(frame->requests.size(), 3u) << "at attach, for the new factor, at attach";
    EXPECT_EQ(sized(frame->requests[0]), std::make_pair(1734, 684));
    EXPECT_EQ(sized(frame->requests[1]), std::make_pair(2312, 912));
    EXPECT_EQ(sized(frame->requests[2]), std::make_pair(1445, 570));
}
