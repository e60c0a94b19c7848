#pragma once

// Shared by the Linux and the Windows editor host tests: each system's `plughost editor`
// session has the same shape (see EditorSessionBase).

#include "EditorReference.h"
#include "tools/plughost/editor/EditorOptions.h"
#include "tools/plughost/editor/RgbImage.h"
#include "vst3/hosting/ComponentHandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

// The edits a host heard, "kind id [value]; " each, for comparisons and failure messages.
inline std::string DescribeCalls(const std::vector<Steinberg::Hosting::HandlerCall>& calls) {
    using Steinberg::Hosting::HandlerCall;
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

// The product's bundle, loaded through its entry points, its editor open in the tool's window
// at the display scale `scale` and played on as a user would, at the scaled window's pixels.
template <class Session> class EditorHostFixture : public testing::Test {
  protected:
    using EditorAction = plughost::editor::EditorAction;
    using HandlerCall = Steinberg::Hosting::HandlerCall;

    // The SetUp of each system, once it knows there is a display.
    void OpenEditor() {
        std::string error;
        session.SetContentScale(scale != 1.0 ? scale : 0.0); // 0: the host gives none
        ASSERT_TRUE(session.LoadPlugin(SORVEL_BUNDLE, error)) << error;
        ASSERT_TRUE(session.OpenEditor(error)) << error;
        session.RunFor(300);
    }
    void TearDown() override {
        session.Close();
        EXPECT_EQ(session.AbandonedHandlers(), 0);
    }

    void Play(EditorAction::Kind kind, int control, int dx = 0, int dy = 0, int notches = 0) {
        const ControlSpot spot = SorvelControlSpot(control);
        const auto pixels = [this](int length) { return int(std::lround(length * scale)); };
        EditorAction action{kind, pixels(spot.x), pixels(spot.y), pixels(dx), pixels(dy), notches};
        std::string error;
        ASSERT_TRUE(session.Perform(action, error)) << error;
    }
    double HostValue(int param) {
        return session.Effect().Controller()->getParamNormalized(Steinberg::Vst::ParamID(param));
    }
    // The edits since the last call; all of them count towards the host's values.
    std::vector<HandlerCall> TakeCalls() {
        std::vector<HandlerCall> calls = session.Effect().Handler().getCalls();
        allCalls.insert(allCalls.end(), calls.begin(), calls.end());
        session.Effect().Handler().clearCalls();
        return calls;
    }
    // The window shows exactly what the graphics library draws for the host's values.
    void ExpectScreenMatchesValues() {
        session.RunFor(150);
        plughost::editor::RgbImage shot;
        std::string error;
        ASSERT_TRUE(session.Capture(shot, error)) << error;
        EXPECT_EQ(
            DescribeDifference(
                shot, DrawSorvelEditor(HostValues(session.Effect().Controller(), allCalls), scale)),
            "");
    }

    double scale = 1.0;
    Session session;
    std::vector<HandlerCall> allCalls;
};

// A host test at the display scale of its parameter, given by the host before attaching.
template <class HostTest>
class AtScale : public HostTest, public testing::WithParamInterface<double> {
  protected:
    void SetUp() override {
        this->scale = GetParam();
        HostTest::SetUp();
    }
};
