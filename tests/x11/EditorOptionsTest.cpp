#include "tools/plughost/editor/EditorOptions.h"

#include <gtest/gtest.h>

using plughost::editor::EditorAction;
using plughost::editor::EditorOptions;
using plughost::editor::ParseEditorOptions;

TEST(EditorOptions, ReadsTheBundleTheScreenshotAndTheActionsInOrder) {
    EditorOptions options;
    std::string error;
    ASSERT_TRUE(ParseEditorOptions({"Sorvel.vst3", "--click", "306,196", "--screenshot", "a.png",
                                    "--after", "250", "--drag", "140,130,0,-40", "--wheel",
                                    "880,60,-3", "--timeout", "9000"},
                                   options, error))
        << error;
    EXPECT_EQ(options.bundlePath, "Sorvel.vst3");
    EXPECT_EQ(options.screenshotPath, "a.png");
    EXPECT_EQ(options.afterMs, 250);
    EXPECT_EQ(options.timeoutMs, 9000);
    ASSERT_EQ(options.actions.size(), 3u);
    EXPECT_EQ(options.actions[0].kind, EditorAction::Click);
    EXPECT_EQ(options.actions[0].x, 306);
    EXPECT_EQ(options.actions[0].y, 196);
    EXPECT_EQ(options.actions[1].kind, EditorAction::Drag);
    EXPECT_EQ(options.actions[1].dx, 0);
    EXPECT_EQ(options.actions[1].dy, -40);
    EXPECT_EQ(options.actions[2].kind, EditorAction::Wheel);
    EXPECT_EQ(options.actions[2].notches, -3);
}

TEST(EditorOptions, RefusesWhatItCannotRead) {
    const std::vector<std::vector<std::string>> bad = {{"--click", "1,2"},
                                                       {"a.vst3", "b.vst3"},
                                                       {"a.vst3", "--click"},
                                                       {"a.vst3", "--click", "1"},
                                                       {"a.vst3", "--click", "1,2,3"},
                                                       {"a.vst3", "--click", "1,"},
                                                       {"a.vst3", "--after", "-5"},
                                                       {"a.vst3", "--timeout", "99999999999"},
                                                       {"a.vst3", "--zoom", "2"}};
    for (const auto& args : bad) {
        std::string joined;
        for (const std::string& arg : args)
            joined += arg + " ";
        EditorOptions options;
        std::string error;
        EXPECT_FALSE(ParseEditorOptions(args, options, error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}
