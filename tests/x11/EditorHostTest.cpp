#include "EditorReference.h"
#include "X11TestDisplay.h"
#include "engine/SorvelParameters.h"
#include "tools/plughost/editor/EditorSession.h"

#include <dirent.h>
#include <sstream>
#include <vector>

// The product's bundle, loaded through its entry points, its editor embedded in a window of
// the tool's as a Linux host embeds it, and driven by real X input.
using plughost::editor::EditorAction;
using plughost::editor::EditorSession;
using plughost::editor::RgbImage;
using Steinberg::Hosting::HandlerCall;

namespace {

constexpr int kMsControl = 4;
constexpr int kHighFreqLControl = 7;
constexpr int kHighGainLControl = 19;
constexpr int kDriveControl = 33;
// The editor's timer and its descriptor handler.
constexpr int kEditorHandlers = 2;

struct Edit {
    HandlerCall::Kind kind;
    unsigned id;
    double value;
};

int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

std::string Describe(const std::vector<HandlerCall>& calls) {
    static const char* const names[] = {"begin", "perform", "end", "restart", "menu", "popup"};
    std::ostringstream text;
    for (const HandlerCall& call : calls) {
        text << names[call.kind] << ' ' << call.id;
        if (call.kind == HandlerCall::performEdit)
            text << ' ' << call.value;
        text << "; ";
    }
    return text.str();
}

void ExpectEdits(const std::vector<HandlerCall>& calls, const std::vector<Edit>& expected) {
    ASSERT_EQ(calls.size(), expected.size()) << Describe(calls);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, expected[i].kind) << i << ": " << Describe(calls);
        EXPECT_EQ(calls[i].id, expected[i].id) << i << ": " << Describe(calls);
        if (expected[i].kind == HandlerCall::performEdit) {
            EXPECT_NEAR(calls[i].value, expected[i].value, 1e-12) << i << ": " << Describe(calls);
        }
    }
}

} // namespace

class EditorHostTest : public testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_X_DISPLAY();
        errorsAtStart = plughost::editor::ToolWindow::ErrorCount();
        std::string error;
        ASSERT_TRUE(session.LoadPlugin(SORVEL_BUNDLE, error)) << error;
        ASSERT_TRUE(session.OpenEditor(error)) << error;
        session.RunFor(300);
    }
    void TearDown() override {
        session.Close();
        EXPECT_EQ(session.AbandonedHandlers(), 0);
        EXPECT_EQ(plughost::editor::ToolWindow::ErrorCount(), errorsAtStart) << "X errors";
    }

    void Play(EditorAction::Kind kind, int control, int dx = 0, int dy = 0, int notches = 0) {
        const ControlSpot spot = SorvelControlSpot(control);
        EditorAction action;
        action.kind = kind;
        action.x = spot.x;
        action.y = spot.y;
        action.dx = dx;
        action.dy = dy;
        action.notches = notches;
        std::string error;
        ASSERT_TRUE(session.Perform(action, error)) << error;
    }
    double HostValue(int param) {
        return session.Effect().Controller()->getParamNormalized(Steinberg::Vst::ParamID(param));
    }
    std::vector<HandlerCall> TakeCalls() {
        std::vector<HandlerCall> calls = session.Effect().Handler().getCalls();
        allCalls.insert(allCalls.end(), calls.begin(), calls.end());
        session.Effect().Handler().clearCalls();
        return calls;
    }
    // The window shows exactly what the graphics library draws for the host's values.
    void ExpectScreenMatchesValues() {
        session.RunFor(150);
        RgbImage shot;
        std::string error;
        ASSERT_TRUE(session.Capture(shot, error)) << error;
        const RgbImage reference =
            DrawSorvelEditor(HostValues(session.Effect().Controller(), allCalls));
        EXPECT_EQ(DescribeDifference(shot, reference), "");
    }

    EditorSession session;
    std::vector<HandlerCall> allCalls;
    int errorsAtStart = 0;
};

TEST_F(EditorHostTest, ShowsWhatTheGraphicsLibraryDraws) {
    EXPECT_EQ(session.EditorWidth(), 1156);
    EXPECT_EQ(session.EditorHeight(), 456);
    EXPECT_EQ(session.Frame().Loop().TimerIntervals(),
              std::vector<Steinberg::Linux::TimerInterval>{40})
        << "25 ticks a second";
    EXPECT_EQ(session.Frame().Loop().EventHandlerCount(), 1);
    ExpectScreenMatchesValues();
}

TEST_F(EditorHostTest, GesturesReachTheHostAndTheScreen) {
    {
        SCOPED_TRACE("the MS switch: on by default, a click turns it off");
        Play(EditorAction::Click, kMsControl);
        ExpectEdits(TakeCalls(), {{HandlerCall::beginEdit, kMidSide, 0},
                                  {HandlerCall::performEdit, kMidSide, 0.0},
                                  {HandlerCall::endEdit, kMidSide, 0}});
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("a three-position selector, clicked twice");
        Play(EditorAction::Click, kHighFreqLControl);
        Play(EditorAction::Click, kHighFreqLControl);
        ExpectEdits(TakeCalls(), {{HandlerCall::beginEdit, kHighFreqL, 0},
                                  {HandlerCall::performEdit, kHighFreqL, 0.5},
                                  {HandlerCall::endEdit, kHighFreqL, 0},
                                  {HandlerCall::beginEdit, kHighFreqL, 0},
                                  {HandlerCall::performEdit, kHighFreqL, 1.0},
                                  {HandlerCall::endEdit, kHighFreqL, 0}});
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("the drive knob dragged up 40 pixels: one gesture, rising to 40 / (4 h)");
        const double before = HostValue(kDrive);
        Play(EditorAction::Drag, kDriveControl, 0, -40);
        const std::vector<HandlerCall> calls = TakeCalls();
        ASSERT_GE(calls.size(), 3u) << Describe(calls);
        EXPECT_EQ(calls.front().kind, HandlerCall::beginEdit);
        EXPECT_EQ(calls.back().kind, HandlerCall::endEdit);
        double last = before;
        for (size_t i = 1; i + 1 < calls.size(); ++i) {
            EXPECT_EQ(calls[i].kind, HandlerCall::performEdit) << Describe(calls);
            EXPECT_EQ(calls[i].id, unsigned(kDrive));
            EXPECT_GT(calls[i].value, last) << Describe(calls);
            last = calls[i].value;
        }
        const int height = SorvelControlSpot(kDriveControl).height;
        EXPECT_NEAR(last, before + 40.0 / (4.0 * height), 1e-9);
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("two wheel notches up over a gain knob: a gesture each, 0.01 apiece");
        const double before = HostValue(kHighGainL);
        Play(EditorAction::Wheel, kHighGainLControl, 0, 0, 2);
        ExpectEdits(TakeCalls(), {{HandlerCall::beginEdit, kHighGainL, 0},
                                  {HandlerCall::performEdit, kHighGainL, before + 0.01},
                                  {HandlerCall::endEdit, kHighGainL, 0},
                                  {HandlerCall::beginEdit, kHighGainL, 0},
                                  {HandlerCall::performEdit, kHighGainL, before + 0.02},
                                  {HandlerCall::endEdit, kHighGainL, 0}});
        ExpectScreenMatchesValues();
    }
}

TEST_F(EditorHostTest, OpensAndClosesAHundredTimes) {
    auto& loop = session.Frame().Loop();
    const int descriptors = OpenDescriptors();
    for (int i = 0; i < 100; ++i) {
        session.CloseEditor();
        ASSERT_EQ(loop.TimerCount() + loop.EventHandlerCount(), 0) << "after closing " << i;
        std::string error;
        ASSERT_TRUE(session.OpenEditor(error)) << i << ": " << error;
        ASSERT_EQ(loop.TimerCount() + loop.EventHandlerCount(), kEditorHandlers) << i;
        session.RunFor(i % 10 == 0 ? 60 : 0);
    }
    EXPECT_EQ(OpenDescriptors(), descriptors) << "display connections were left open";
    ExpectScreenMatchesValues();
}

TEST_F(EditorHostTest, SurvivesThePluginDestroyedWithItsEditorOpen) {
    Play(EditorAction::Click, kMsControl);
    session.DestroyPluginWithEditorOpen();
    auto& loop = session.Frame().Loop();
    EXPECT_EQ(loop.TimerCount() + loop.EventHandlerCount(), 0)
        << "the editor's handlers outlived it";
    EXPECT_TRUE(session.RunFor(200));
}
