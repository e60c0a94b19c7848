#include "WindowTestFixture.h"

#include "graphics/KeyCode.h"

#include <vector>

// XTest's headers name Xlib's KeyCode type, which XlibHeaders.h renamed.
#define KeyCode XlibKeyCode
#include <X11/extensions/XTest.h>
#undef KeyCode

// Real pointer and keyboard input, played through XTEST into the embedded editor and
// followed into its controls.
namespace {

constexpr int kMs = 4;        // the "MS" switch: two frames
constexpr int kHighFreqL = 7; // a three-position selector
constexpr int kDrive = 33;    // a vertical knob

struct Centre {
    int x;
    int y;
};

// Takes every key that reaches it and remembers the codes.
class KeyRecorder : public IControl {
  public:
    KeyRecorder() : IControl(nullptr, PixelRect{}, -1) {}
    void Draw(IGraphics*) override {}
    bool KeyPressed(int, int, int keyCode) override {
        codes.push_back(keyCode);
        return true;
    }
    std::vector<int> codes;
};

Centre CentreOf(const IControl* control) {
    const PixelRect& r = control->Rect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

class WindowInputTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(host->Connection(), &event, &error, &major, &minor))
            GTEST_SKIP() << "no X display with XTEST";
        UseHostLoop();
        ASSERT_NE(editor->OpenWindow(ParentHandle()), nullptr);
        RunFor(100);
    }
    void TearDown() override {
        if (editor)
            editor->CloseWindow();
        WindowTest::TearDown();
    }

    void MoveTo(int x, int y) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        Display* display = host->Connection();
        XTranslateCoordinates(display, EditorWindow(), DefaultRootWindow(display), x, y, &rootX,
                              &rootY, &child);
        XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
        RunFor(20);
    }
    void Button(unsigned int button, bool down) {
        XTestFakeButtonEvent(host->Connection(), button, down, CurrentTime);
        RunFor(20);
    }
    void Key(KeySym keysym, bool down) {
        Display* display = host->Connection();
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down, CurrentTime);
        RunFor(20);
    }
    void Click(unsigned int button, Centre at) {
        MoveTo(at.x, at.y);
        Button(button, true);
        Button(button, false);
    }
    // Long enough that the next click is not the second of a double click.
    void Pause() { RunFor(450); }

    double Value(int control) { return editor->GetControl(control)->GetValue(); }
};

TEST_F(WindowInputTest, EveryButtonPressesAndAQuickSecondClickIsADoubleClick) {
    // Switch steps (and host edits) for left clicks are followed through the product's bundle;
    // here, what only the window layer decides.
    const Centre ms = CentreOf(editor->GetControl(kMs));
    Click(3, ms);
    EXPECT_EQ(Value(kMs), 1.0) << "right";
    Pause();
    Click(2, ms);
    EXPECT_EQ(Value(kMs), 0.0) << "middle";
    Pause();
    const Centre selector = CentreOf(editor->GetControl(kHighFreqL));
    Click(1, selector);
    Click(1, selector);
    EXPECT_EQ(Value(kHighFreqL), 1.0) << "the double click steps the switch once more";
    RunFor(100);
    EXPECT_EQ(ShownDiffersFromDrawn(), "") << "the screen shows the new frames";
}

TEST_F(WindowInputTest, KnobsFollowDragsWheelsAndDoubleClicks) {
    IControl* drive = editor->GetControl(kDrive);
    const Centre at = CentreOf(drive);
    const int height = drive->Rect().Height();
    drive->SyncValueFromCore(0.5); // the core's first value becomes the double-click default
    {
        SCOPED_TRACE("dragging up by 40 pixels: 40 / (4 x height)");
        MoveTo(at.x, at.y);
        Button(1, true);
        for (int step = 1; step <= 4; ++step)
            MoveTo(at.x, at.y - 10 * step);
        Button(1, false);
        EXPECT_NEAR(Value(kDrive), 0.5 + 40.0 / (4.0 * height), 1e-12);
        Pause();
    }
    {
        SCOPED_TRACE("motion without a held press drags nothing");
        MoveTo(at.x, at.y + 30);
        MoveTo(at.x, at.y);
        EXPECT_NEAR(Value(kDrive), 0.5 + 40.0 / (4.0 * height), 1e-12);
    }
    {
        SCOPED_TRACE("the wheel: 0.01 a notch, 0.001 with shift; horizontal steps do nothing");
        const double before = Value(kDrive);
        Click(4, at);
        Click(4, at);
        EXPECT_NEAR(Value(kDrive), before + 0.02, 1e-12);
        Click(5, at);
        EXPECT_NEAR(Value(kDrive), before + 0.01, 1e-12);
        Key(XK_Shift_L, true);
        Click(5, at);
        Key(XK_Shift_L, false);
        EXPECT_NEAR(Value(kDrive), before + 0.009, 1e-12);
        Click(6, at);
        Click(7, at);
        EXPECT_NEAR(Value(kDrive), before + 0.009, 1e-12);
        Pause();
    }
    {
        SCOPED_TRACE("a double click restores the default");
        Click(1, at);
        Click(1, at);
        EXPECT_EQ(Value(kDrive), 0.5);
    }
    RunFor(100);
    EXPECT_EQ(ShownDiffersFromDrawn(), "");
}

TEST_F(WindowInputTest, KeysReachTheEditorByTheirKeysyms) {
    auto* recorder = new KeyRecorder;
    editor->SetKeyHandler(recorder);
    MoveTo(580, 200); // over the background, where only the key handler takes keys
    const KeySym typed[] = {XK_a, XK_Up, XK_F1, XK_space, XK_Return, XK_7};
    for (KeySym key : typed) {
        Key(key, true);
        Key(key, false);
    }
    Key(XK_Shift_L, true);
    Key(XK_1, true); // "!" on most layouts, still the digit key
    Key(XK_1, false);
    Key(XK_Shift_L, false);
    EXPECT_EQ(recorder->codes,
              (std::vector<int>{KeyLetterA, KeyUp, KeySpace, KeyDigit0 + 7, KeyDigit0 + 1}))
        << "F1 and Return have no code and are not offered";
}
