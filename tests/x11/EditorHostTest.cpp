#include "EditorHostFixture.h"
#include "X11TestDisplay.h"
#include "engine/SorvelParameters.h"
#include "tools/plughost/editor/EditorSession.h"

#include <dirent.h>
#include <vector>

// The product's bundle, loaded through its entry points, its editor embedded in a window of
// the tool's as a Linux host embeds it, and driven by real X input.
using plughost::editor::EditorAction;
using plughost::editor::EditorSession;
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

void ExpectEdits(const std::vector<HandlerCall>& calls, const std::vector<Edit>& expected) {
    ASSERT_EQ(calls.size(), expected.size()) << DescribeCalls(calls);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, expected[i].kind) << i << ": " << DescribeCalls(calls);
        EXPECT_EQ(calls[i].id, expected[i].id) << i << ": " << DescribeCalls(calls);
        if (expected[i].kind == HandlerCall::performEdit) {
            EXPECT_NEAR(calls[i].value, expected[i].value, 1e-12)
                << i << ": " << DescribeCalls(calls);
        }
    }
}

} // namespace

class EditorHostTest : public EditorHostFixture<EditorSession> {
  protected:
    void SetUp() override {
        REQUIRE_X_DISPLAY();
        errorsAtStart = plughost::editor::ToolWindow::ErrorCount();
        OpenEditor();
    }
    void TearDown() override {
        EditorHostFixture::TearDown();
        EXPECT_EQ(plughost::editor::ToolWindow::ErrorCount(), errorsAtStart) << "X errors";
    }

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

// At scale 2: a window twice the size, the same gestures at doubled places, the same edits.
using EditorHostGestures = AtScale<EditorHostTest>;
INSTANTIATE_TEST_SUITE_P(Scales, EditorHostGestures, testing::Values(1.0, 2.0));
TEST_P(EditorHostGestures, GesturesReachTheHostAndTheScreen) {
    EXPECT_EQ(session.EditorSize(), std::make_pair(int(1156 * scale), int(456 * scale)));
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
        ASSERT_GE(calls.size(), 3u) << DescribeCalls(calls);
        EXPECT_EQ(calls.front().kind, HandlerCall::beginEdit);
        EXPECT_EQ(calls.back().kind, HandlerCall::endEdit);
        double last = before;
        for (size_t i = 1; i + 1 < calls.size(); ++i) {
            EXPECT_EQ(calls[i].kind, HandlerCall::performEdit) << DescribeCalls(calls);
            EXPECT_EQ(calls[i].id, unsigned(kDrive));
            EXPECT_GT(calls[i].value, last) << DescribeCalls(calls);
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
