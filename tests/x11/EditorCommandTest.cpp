#include "tools/plughost/editor/EditorCommand.h"
#include "EditorReference.h"
#include "X11TestDisplay.h"
#include "tools/plughost/editor/EffectInstance.h"
#include "tools/plughost/editor/PngFile.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

// `plughost editor` as a user runs it: arguments in, edits printed, a PNG file out.
namespace {

namespace fs = std::filesystem;

int RunCommand(std::vector<std::string> args) {
    args.insert(args.begin(), "editor");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    return RunEditorCommand(int(argv.size()), argv.data());
}

} // namespace

TEST(EditorCommand, PlaysAClickPrintsTheEditsAndWritesTheScreenshot) {
    REQUIRE_X_DISPLAY();
    const std::string png =
        (fs::temp_directory_path() / ("sorvel-editor-" + std::to_string(getpid()) + ".png"))
            .string();
    const ControlSpot link = SorvelControlSpot(3);
    testing::internal::CaptureStdout();
    const int status =
        RunCommand({SORVEL_BUNDLE, "--click", std::to_string(link.x) + "," + std::to_string(link.y),
                    "--screenshot", png, "--after", "200"});
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);
    EXPECT_EQ(printed, "beginEdit 16\nperformEdit 16 1.000000\nendEdit 16\n");

    plughost::editor::RgbImage shot;
    std::string error;
    ASSERT_TRUE(plughost::editor::ReadPngFile(png, shot, error)) << error;
    fs::remove(png);
    // A fresh instance's values, with LINK (off by default) turned on.
    plughost::editor::EffectInstance fresh;
    ASSERT_TRUE(fresh.Create(SORVEL_BUNDLE, error)) << error;
    std::vector<double> values = HostValues(fresh.Controller(), {});
    EXPECT_EQ(values[16], 0.0);
    values[16] = 1.0;
    EXPECT_EQ(DescribeDifference(shot, DrawSorvelEditor(values)), "");
}

TEST(EditorCommand, RefusesBadArgumentsAndMissingBundles) {
    EXPECT_EQ(RunCommand({}), 2);
    EXPECT_EQ(RunCommand({SORVEL_BUNDLE, "--click", "10"}), 2);
    REQUIRE_X_DISPLAY();
    EXPECT_EQ(RunCommand({"/nonexistent/Nothing.vst3", "--timeout", "0"}), 1);
    EXPECT_EQ(RunCommand({SORVEL_BUNDLE, "--click", "5000,10", "--timeout", "0"}), 1)
        << "a click outside the editor";
}
