#include "WindowTestFixture.h"

#include "graphics/x11/X11ErrorTrap.h"
#include "graphics/x11/XEmbedProtocol.h"

#include <string>

namespace {

void SendXEmbed(Display* display, Window to, long message, long data1) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = to;
    event.xclient.message_type = XInternAtom(display, "_XEMBED", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = message;
    event.xclient.data.l[3] = data1;
    XSendEvent(display, to, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace

TEST_F(WindowTest, OpensAnEmbeddedChildThatTheHostLoopDrives) {
    UseHostLoop();
    ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
    const Window child = EditorWindow();
    Display* display = host->Connection();
    {
        SCOPED_TRACE("a mapped child of the host's window, at the editor's size");
        EXPECT_EQ(host->Children(parent), std::vector<Window>{child});
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(display, child, &attributes));
        EXPECT_EQ(attributes.x, 0);
        EXPECT_EQ(attributes.y, 0);
        EXPECT_EQ(attributes.width, kSorvelEditorWidth);
        EXPECT_EQ(attributes.height, kSorvelEditorHeight);
        EXPECT_EQ(attributes.map_state, IsViewable);
    }
    {
        SCOPED_TRACE("_XEMBED_INFO: version 0, flags 0, set before OpenWindow returned");
        const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        ASSERT_EQ(XGetWindowProperty(display, child, info, 0, 2, False, AnyPropertyType, &type,
                                     &format, &count, &after, &data),
                  Success);
        ASSERT_NE(data, nullptr) << "no _XEMBED_INFO";
        EXPECT_EQ(type, info);
        EXPECT_EQ(format, 32);
        ASSERT_EQ(count, 2u);
        const long* values = reinterpret_cast<const long*>(data);
        EXPECT_EQ(values[0], 0);
        EXPECT_EQ(values[1], 0);
        XFree(data);
    }
    {
        SCOPED_TRACE("a 40 ms timer and a handler on the connection's descriptor, nothing more");
        EXPECT_EQ(Loop().TimerIntervals(), std::vector<Steinberg::Linux::TimerInterval>{40});
        EXPECT_EQ(Loop().EventHandlerCount(), 1);
        EXPECT_TRUE(editor->TimerRegistered());
        EXPECT_TRUE(editor->EventHandlerRegistered());
    }
    {
        SCOPED_TRACE("the ticks put the drawing on screen, pixel for pixel");
        RunFor(300);
        EXPECT_GE(Loop().TimerCalls(), 5u);
        EXPECT_EQ(ShownDiffersFromDrawn(), "");
    }
    {
        SCOPED_TRACE("a changed control reaches the screen on the next tick, alone");
        IControl* ms = editor->GetControl(4);
        ASSERT_NE(ms, nullptr);
        ms->SetValue(1.0);
        ms->MarkChanged(false);
        PixelRect dirty;
        ASSERT_TRUE(editor->CollectDirtyArea(dirty));
        EXPECT_EQ(dirty, ms->Rect());
        RunFor(120);
        EXPECT_FALSE(editor->CollectDirtyArea(dirty)) << "drawn by the tick";
        EXPECT_EQ(ShownDiffersFromDrawn(), "");
    }
    {
        SCOPED_TRACE("closing unregisters both and destroys the window");
        editor->CloseWindow();
        EXPECT_EQ(Loop().TimerCount(), 0);
        EXPECT_EQ(Loop().EventHandlerCount(), 0);
        EXPECT_EQ(editor->WindowHandle(), nullptr);
        EXPECT_TRUE(host->Children(parent).empty());
    }
    EXPECT_EQ(TestDisplay::Errors(), 0);
}

TEST_F(WindowTest, WithoutAHostLoopNothingRunsUntilACallerPumps) {
    ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
    EXPECT_FALSE(editor->TimerRegistered());
    EXPECT_FALSE(editor->EventHandlerRegistered());
    XSync(host->Connection(), False);
    PixelRect dirty;
    EXPECT_TRUE(editor->CollectDirtyArea(dirty)) << "nothing was drawn by itself";
    // Mapping exposed the whole window: the caller's pump draws it.
    editor->ProcessPendingEvents();
    EXPECT_EQ(ShownDiffersFromDrawn(), "");
    editor->CloseWindow();
    EXPECT_EQ(TestDisplay::Errors(), 0);
}

TEST_F(WindowTest, FailsCleanlyAndSurvivesTheHostsMistakes) {
    UseHostLoop();
    {
        SCOPED_TRACE("a parent that is no window, with Xlib's own handler, which would exit");
        XSetErrorHandler(nullptr);
        const int before = X11ErrorTrap::TotalErrors();
        void* bogus = reinterpret_cast<void*>(uintptr_t(0x1FFFFF));
        EXPECT_EQ(editor->OpenWindow(bogus), nullptr);
        EXPECT_GT(X11ErrorTrap::TotalErrors(), before) << "the error was caught";
        EXPECT_FALSE(editor->IsWindowOpen());
        EXPECT_EQ(Loop().TimerCount() + Loop().EventHandlerCount(), 0);
        EXPECT_EQ(editor->OpenWindow(nullptr), nullptr);
        TestDisplay::CountErrors();
    }
    {
        SCOPED_TRACE("no display to connect to");
        const std::string saved = std::getenv("DISPLAY");
        unsetenv("DISPLAY");
        EXPECT_EQ(editor->OpenWindow(ParentHandle()), nullptr);
        setenv("DISPLAY", saved.c_str(), 1);
    }
    {
        SCOPED_TRACE("the host destroys its window before it removes the view");
        ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
        RunFor(100);
        XDestroyWindow(host->Connection(), parent);
        XSync(host->Connection(), False);
        const int before = X11ErrorTrap::TotalErrors();
        RunFor(100);
        editor->CloseWindow();
        EXPECT_EQ(X11ErrorTrap::TotalErrors(), before) << "the editor used its dead window";
        EXPECT_EQ(Loop().TimerCount() + Loop().EventHandlerCount(), 0);
    }
    EXPECT_EQ(TestDisplay::Errors(), 0);
}

TEST_F(WindowTest, AnswersXEmbedAndAsksTheEmbedderForFocus) {
    UseHostLoop();
    ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
    Display* display = host->Connection();
    const Window child = EditorWindow();
    for (long message :
         {long(xembed::kEmbeddedNotify), long(xembed::kWindowActivate), long(xembed::kFocusIn),
          long(xembed::kModalityOn), long(xembed::kFocusOut), long(xembed::kWindowDeactivate), 99L})
        SendXEmbed(display, child, message, long(parent));
    RunFor(100);
    ASSERT_TRUE(editor->IsWindowOpen());

    // A press in the editor: the embedder named by EMBEDDED_NOTIFY hears a focus request.
    XEvent press{};
    press.xbutton.type = ButtonPress;
    press.xbutton.window = child;
    press.xbutton.button = Button1;
    press.xbutton.x = 10;
    press.xbutton.y = 10;
    press.xbutton.same_screen = True;
    XSendEvent(display, child, False, ButtonPressMask, &press);
    XFlush(display);
    RunFor(100);
    const Atom xembedAtom = XInternAtom(display, "_XEMBED", False);
    bool asked = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        asked |= event.type == ClientMessage && event.xclient.window == parent &&
                 event.xclient.message_type == xembedAtom &&
                 event.xclient.data.l[1] == xembed::kRequestFocus;
    }
    EXPECT_TRUE(asked);
    editor->CloseWindow();
    EXPECT_EQ(TestDisplay::Errors(), 0);
}

TEST_F(WindowTest, ReopensInPlace) {
    UseHostLoop();
    ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
    // A second open replaces the window where the first one was.
    {
        XMoveWindow(host->Connection(), EditorWindow(), 10, 20);
        XSync(host->Connection(), False);
        ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
        EXPECT_EQ(host->Children(parent), std::vector<Window>{EditorWindow()});
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(host->Connection(), EditorWindow(), &attributes));
        EXPECT_EQ(attributes.x, 10);
        EXPECT_EQ(attributes.y, 20);
        EXPECT_EQ(Loop().TimerCount(), 1);
        EXPECT_EQ(Loop().EventHandlerCount(), 1);
        editor->CloseWindow();
    }
    EXPECT_TRUE(host->Children(parent).empty());
    EXPECT_EQ(TestDisplay::Errors(), 0);
}
