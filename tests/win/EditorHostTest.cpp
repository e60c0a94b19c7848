#include "WinTestWindows.h"

#include "../x11/EditorHostFixture.h"
#include "engine/SorvelParameters.h"
#include "tools/plughost/editor/EditorCommand.h"
#include "tools/plughost/editor/PngFile.h"
#include "tools/plughost/editor/win/EditorSession.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

// The Windows bundle, loaded through its entry points, its editor placed in a window of the
// tool's as a Windows host places it, and driven by real input (SendInput).
using plughost::editor::EditorAction;
using plughost::editor::EditorSession;
using plughost::editor::RgbImage;
using Steinberg::Hosting::HandlerCall;

namespace {

constexpr int kMsControl = 4;
constexpr int kLinkControl = 3;
constexpr int kHighFreqLControl = 7;
constexpr int kHighGainLControl = 19;
constexpr int kDriveControl = 33;

} // namespace

class WinEditorHostTest : public EditorHostFixture<EditorSession> {
  protected:
    void SetUp() override {
        REQUIRE_GUI();
        OpenEditor();
    }
    std::string TakeCalls() { return DescribeCalls(EditorHostFixture::TakeCalls()); }
};

// At scale 2: a window twice the size, the same gestures at doubled places, the same edits.
using WinEditorGestures = AtScale<WinEditorHostTest>;
INSTANTIATE_TEST_SUITE_P(Scales, WinEditorGestures, testing::Values(1.0, 2.0));
TEST_P(WinEditorGestures, ShowsTheDrawingAndTakesGestures) {
    EXPECT_EQ(session.EditorSize(), std::make_pair(int(1156 * scale), int(456 * scale)));
    {
        SCOPED_TRACE("the first screen");
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("the MS switch: on by default, a click turns it off");
        Play(EditorAction::Click, kMsControl);
        EXPECT_EQ(TakeCalls(), DescribeCalls({{HandlerCall::beginEdit, kMidSide, 0},
                                              {HandlerCall::performEdit, kMidSide, 0.0},
                                              {HandlerCall::endEdit, kMidSide, 0}}));
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("a three-position selector, clicked twice");
        Play(EditorAction::Click, kHighFreqLControl);
        Play(EditorAction::Click, kHighFreqLControl);
        EXPECT_EQ(TakeCalls(), DescribeCalls({{HandlerCall::beginEdit, kHighFreqL, 0},
                                              {HandlerCall::performEdit, kHighFreqL, 0.5},
                                              {HandlerCall::endEdit, kHighFreqL, 0},
                                              {HandlerCall::beginEdit, kHighFreqL, 0},
                                              {HandlerCall::performEdit, kHighFreqL, 1.0},
                                              {HandlerCall::endEdit, kHighFreqL, 0}}));
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("the drive knob dragged up 40 pixels: one gesture, rising to 40 / (4 h)");
        const double before = HostValue(kDrive);
        Play(EditorAction::Drag, kDriveControl, 0, -40);
        const std::vector<HandlerCall> calls = session.Effect().Handler().getCalls();
        const std::string described = TakeCalls();
        ASSERT_GE(calls.size(), 3u) << described;
        EXPECT_EQ(calls.front().kind, HandlerCall::beginEdit) << described;
        EXPECT_EQ(calls.back().kind, HandlerCall::endEdit) << described;
        const int height = SorvelControlSpot(kDriveControl).height;
        EXPECT_NEAR(calls[calls.size() - 2].value, before + 40.0 / (4.0 * height), 1e-9)
            << described;
        ExpectScreenMatchesValues();
    }
    {
        SCOPED_TRACE("two wheel notches up over a gain knob: a gesture each, 0.01 apiece");
        const double before = HostValue(kHighGainL);
        Play(EditorAction::Wheel, kHighGainLControl, 0, 0, 2);
        EXPECT_EQ(TakeCalls(), DescribeCalls({{HandlerCall::beginEdit, kHighGainL, 0},
                                              {HandlerCall::performEdit, kHighGainL, before + 0.01},
                                              {HandlerCall::endEdit, kHighGainL, 0},
                                              {HandlerCall::beginEdit, kHighGainL, 0},
                                              {HandlerCall::performEdit, kHighGainL, before + 0.02},
                                              {HandlerCall::endEdit, kHighGainL, 0}}));
        ExpectScreenMatchesValues();
    }
}

TEST_F(WinEditorHostTest, OpensAndClosesAHundredTimesAndSurvivesThePluginGoing) {
    const int gdi = GdiObjects();
    const int user = UserObjects();
    for (int i = 0; i < 100; ++i) {
        session.CloseEditor();
        ASSERT_EQ(session.EditorWindow(), nullptr) << "after closing " << i;
        std::string error;
        ASSERT_TRUE(session.OpenEditor(error)) << i << ": " << error;
        session.RunFor(i % 10 == 0 ? 60 : 0);
    }
    session.CloseEditor();
    EXPECT_EQ(GdiObjects(), gdi);
    EXPECT_EQ(UserObjects(), user);
    std::string error;
    ASSERT_TRUE(session.OpenEditor(error)) << error;
    ExpectScreenMatchesValues();

    Play(EditorAction::Click, kMsControl);
    session.DestroyPluginWithEditorOpen();
    EXPECT_EQ(session.EditorWindow(), nullptr) << "the editor's window outlived it";
    EXPECT_TRUE(session.RunFor(200)) << "a tick after the plug-in went";
}

// With no host factor the view takes the system's scale (the prefix's DPI, wine-gui-tests.sh).
TEST_F(WinEditorHostTest, OpensAtTheSystemsDpi) {
    const char* dpi = std::getenv("SORVEL_WINE_DPI");
    if (!dpi)
        GTEST_SKIP() << "the prefix's DPI is left alone: run through tools/wine-gui-tests.sh";
    scale = std::atoi(dpi) / 96.0;
    EXPECT_EQ(session.EditorSize(), std::make_pair(int(1156 * scale), int(456 * scale)));
    ExpectScreenMatchesValues();
}

TEST(WinEditorCommand, PlaysAClickPrintsTheEditsAndWritesTheScreenshot) {
    REQUIRE_GUI();
    const std::string png =
        (std::filesystem::temp_directory_path() / "sorvel-editor-command.png").string();
    const ControlSpot link = SorvelControlSpot(kLinkControl);
    std::vector<std::string> args = {
        "editor",       SORVEL_BUNDLE,
        "--click",      std::to_string(link.x) + "," + std::to_string(link.y),
        "--screenshot", png,
        "--after",      "200"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    testing::internal::CaptureStdout();
    const int status = RunEditorCommand(int(argv.size()), argv.data());
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);
    EXPECT_EQ(printed, "beginEdit 16\nperformEdit 16 1.000000\nendEdit 16\n");

    RgbImage shot;
    std::string error;
    ASSERT_TRUE(plughost::editor::ReadPngFile(png, shot, error)) << error;
    std::filesystem::remove(png);
    plughost::editor::EffectInstance fresh;
    ASSERT_TRUE(fresh.Create(SORVEL_BUNDLE, error)) << error;
    std::vector<double> values = HostValues(fresh.Controller(), {});
    values[16] = 1.0;
    EXPECT_EQ(DescribeDifference(shot, DrawSorvelEditor(values)), "");
}
