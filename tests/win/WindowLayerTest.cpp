#include "WinEditorFixture.h"

#include "graphics/win/WindowClass.h"

TEST_F(WinEditorTest, OpensDrawsReopensAndCloses) {
    ASSERT_FALSE(ClassRegistered());
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    {
        SCOPED_TRACE("a visible child titled IPlug of the module's class, at (0, 0)");
        EXPECT_EQ(GetParent(Window()), Hwnd(host->Handle()));
        EXPECT_EQ(ClassOf(Window()), L"IPlugWndClass");
        wchar_t title[16] = {};
        GetWindowTextW(Window(), title, 16);
        EXPECT_STREQ(title, L"IPlug");
        EXPECT_TRUE(IsWindowVisible(Window()));
        RECT r{};
        GetWindowRect(Window(), &r);
        MapWindowPoints(HWND_DESKTOP, Hwnd(host->Handle()), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, kWidth);
        EXPECT_EQ(r.bottom, kHeight);
        EXPECT_EQ(GetFocus(), Window());
        EXPECT_EQ(WindowClass::TimerPeriodMs(), 40u) << "25 ticks a second";
    }
    {
        SCOPED_TRACE("the ticks put the drawing on screen, pixel for pixel");
        PumpMessages(300);
        EXPECT_EQ(DescribeDifference(Shown(), ImageOf(*editor->DrawingBitmap())), "");
    }
    {
        SCOPED_TRACE("reopening keeps the window's place and size");
        SetWindowPos(Window(), nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
        EXPECT_EQ(Descendants(host->Handle()), 1);
        RECT r{};
        GetWindowRect(Window(), &r);
        MapWindowPoints(HWND_DESKTOP, Hwnd(host->Handle()), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 5);
        EXPECT_EQ(r.top, 7);
        EXPECT_EQ(r.right - r.left, kWidth);
    }
    {
        SCOPED_TRACE("a second editor shares the class; the last one closed unregisters it");
        TestPlug otherPlug;
        plughost::editor::ToolWindow otherHost;
        std::string error;
        ASSERT_TRUE(otherHost.Open(kWidth, kHeight, "Another host", error)) << error;
        StripWinGraphics* other = MakeEditor(otherPlug);
        ASSERT_NE(other->OpenWindow(otherHost.Handle()), nullptr);
        EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);
        editor->CloseWindow();
        EXPECT_EQ(editor->WindowHandle(), nullptr);
        EXPECT_TRUE(ClassRegistered());
        other->CloseWindow();
        EXPECT_FALSE(ClassRegistered());
        EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
        EXPECT_EQ(Descendants(otherHost.Handle()), 0);
    }
    {
        SCOPED_TRACE("a parent that is no window: no editor window, no class");
        EXPECT_EQ(editor->OpenWindow(nullptr), nullptr);
        EXPECT_FALSE(ClassRegistered());
    }
}

TEST_F(WinEditorTest, MessagesReachTheRouting) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    PumpMessages(100);
    const double knobBefore = editor->GetControl(kKnob)->GetValue();
    {
        SCOPED_TRACE("wheel deltas 240, -120 and 60 turn 2, -1 and no notches");
        POINT p{30, 40};
        ClientToScreen(Window(), &p);
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 240), At(p.x, p.y));
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), At(p.x, p.y));
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), At(p.x, p.y));
        ASSERT_EQ(plug.calls.size(), 6u) << Describe(plug.calls);
        EXPECT_NEAR(plug.calls[1].value, knobBefore + 0.02, 1e-12);
        EXPECT_NEAR(plug.calls[4].value, knobBefore + 0.01, 1e-12);
        plug.calls.clear();
    }
    {
        SCOPED_TRACE("a middle press captures and is a press with neither button; its release "
                     "is not routed");
        Send(WM_MBUTTONDOWN, MK_MBUTTON, At(105, 15));
        EXPECT_EQ(GetCapture(), Window());
        EXPECT_EQ(editor->CapturedControl(), kSelector);
        EXPECT_EQ(Describe(plug.calls),
                  Describe({{HostCall::Begin, 2, 0.0}, {HostCall::Perform, 2, 0.5}}));
        Send(WM_MBUTTONUP, 0, At(105, 15));
        EXPECT_EQ(editor->CapturedControl(), kSelector) << "still captured";
        Send(WM_LBUTTONUP, 0, At(105, 15));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(editor->CapturedControl(), -1);
        plug.calls.clear();
    }
    {
        SCOPED_TRACE("a key without a code goes to the root window, not to a control");
        const int keysBefore = host->KeysReceived();
        Send(WM_KEYDOWN, VK_F1, 0);
        EXPECT_EQ(host->KeysReceived(), keysBefore + 1);
        Send(WM_KEYUP, VK_F1, 0);
        Send(WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(host->KeysReceived(), keysBefore + 2) << "no control took 'A' either";
        EXPECT_TRUE(plug.calls.empty()) << Describe(plug.calls);
    }
    {
        SCOPED_TRACE("a paint with an empty update rectangle presents nothing");
        PumpMessages(100);
        ValidateRect(Window(), nullptr);
        const int presented = editor->presented;
        Send(WM_PAINT, 0, 0);
        EXPECT_EQ(editor->presented, presented);
    }
    {
        SCOPED_TRACE("a drag only while captured, then the release ends the gesture");
        Send(WM_MOUSEMOVE, MK_LBUTTON, At(30, 40));
        EXPECT_TRUE(plug.calls.empty()) << "no capture, no drag";
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 40));
        Send(WM_MOUSEMOVE, MK_LBUTTON, At(30, 30));
        Send(WM_LBUTTONUP, 0, At(30, 30));
        ASSERT_EQ(plug.calls.size(), 3u) << Describe(plug.calls);
        EXPECT_EQ(plug.calls[0].kind, HostCall::Begin);
        EXPECT_GT(plug.calls[1].value, knobBefore + 0.01);
        EXPECT_EQ(plug.calls[2].kind, HostCall::End);
        plug.calls.clear();
    }
    {
        SCOPED_TRACE("another window taking the mouse mid-drag ends the gesture");
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 40));
        SetCapture(Hwnd(host->Handle()));
        ReleaseCapture();
        EXPECT_EQ(Describe(plug.calls),
                  Describe({{HostCall::Begin, 0, 0.0}, {HostCall::End, 0, 0.0}}));
    }
}

TEST_F(WinEditorTest, DestroyedWithItsWindowOpen) {
    auto doomed = std::make_unique<TestPlug>();
    StripWinGraphics* graphics = MakeEditor(*doomed);
    HWND window = Hwnd(graphics->OpenWindow(host->Handle()));
    ASSERT_NE(window, nullptr);
    PumpMessages(100);
    doomed.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Descendants(host->Handle()), 0);
    EXPECT_FALSE(ClassRegistered());
    PumpMessages(100); // a timer left behind would call into the deleted editor here
}

TEST_F(WinEditorTest, OpensAndClosesAHundredTimesWithoutLeaking) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    PumpMessages(100);
    editor->CloseWindow();
    const int gdi = GdiObjects();
    const int user = UserObjects();
    for (int i = 0; i < 100; ++i) {
        ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr) << i;
        PumpMessages(i % 10 == 0 ? 60 : 0);
        editor->CloseWindow();
        ASSERT_EQ(Descendants(host->Handle()), 0) << i;
    }
    EXPECT_FALSE(ClassRegistered());
    // Wine does not count them (-1); the window and class checks above still hold there.
    EXPECT_EQ(GdiObjects(), gdi);
    EXPECT_EQ(UserObjects(), user);
}
