// Sorvel.lv2's editor in a host window under X: opened through the UI descriptor with
// instance access, driven by idle calls, played on with real pointer input.
#include "Lv2TestHost.h"
#include "tests/x11/EditorReference.h"
#include "tests/x11/X11TestDisplay.h"

#include "engine/SorvelParameters.h"

// XTest's headers name Xlib's KeyCode type, which XlibHeaders.h renamed.
#define KeyCode XlibKeyCode
#include <X11/extensions/XTest.h>
#undef KeyCode

#include <dlfcn.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kDriveControl = 33;

// What the editor told the host.
struct HostRecord {
    std::vector<std::pair<uint32_t, float>> writes;
    std::vector<std::pair<uint32_t, bool>> touches;
    int width = 0, height = 0;
};

class Lv2Editor : public testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_X_DISPLAY();
        ASSERT_NE(world.Plugin(), nullptr);
        plug = std::make_unique<Lv2TestHost::Instance>(world);
        parent = display.OpenParent(1156, 456);

        const LilvUIs* uis = lilv_plugin_get_uis(world.Plugin());
        ASSERT_EQ(lilv_uis_size(uis), 1u);
        const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
        char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        library = dlopen(binary, RTLD_NOW | RTLD_LOCAL);
        lilv_free(binary);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_STREQ(descriptor->URI, lilv_node_as_uri(lilv_ui_get_uri(ui)));

        LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
        LV2_Feature access{LV2_INSTANCE_ACCESS_URI, lilv_instance_get_handle(plug->Get())};
        LV2_Feature resizeFeature{LV2_UI__resize, &resize};
        LV2_Feature touchFeature{LV2_UI__touch, &touch};
        LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
        const LV2_Feature* features[] = {&parentFeature, &access,      &resizeFeature,
                                         &touchFeature,  &idleFeature, nullptr};
        handle = descriptor->instantiate(descriptor, SORVEL_LV2_URI, SORVEL_LV2_BUNDLE, Write,
                                         &record, &widget, features);
        ASSERT_NE(handle, nullptr);
        idle = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idle, nullptr);
        RunFor(300);
    }
    void TearDown() override {
        if (handle)
            descriptor->cleanup(handle);
        if (library)
            dlclose(library);
    }

    static void Write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer) {
        if (format == 0 && size == sizeof(float))
            static_cast<HostRecord*>(controller)
                ->writes.emplace_back(port, *static_cast<const float*>(buffer));
    }

    // The host's loop: idle calls about every 10 ms.
    void RunFor(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            EXPECT_EQ(idle->idle(handle), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void MoveTo(int x, int y) {
        Display* d = display.Connection();
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(d, EditorWindow(), DefaultRootWindow(d), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(d, DefaultScreen(d), rootX, rootY, CurrentTime);
        XFlush(d);
        RunFor(30);
    }
    void Button(bool down) {
        XTestFakeButtonEvent(display.Connection(), 1, down, CurrentTime);
        XFlush(display.Connection());
        RunFor(30);
    }
    Window EditorWindow() const { return static_cast<Window>(reinterpret_cast<uintptr_t>(widget)); }

    // The editor's picture for the values the host's ports hold, as normalised values.
    plughost::editor::RgbImage Reference() {
        std::vector<float> minimum(plug->controls.size()), maximum(plug->controls.size());
        lilv_plugin_get_port_ranges_float(world.Plugin(), minimum.data(), maximum.data(), nullptr);
        std::vector<double> normalised(kNumSorvelParams);
        for (int i = 0; i < kNumSorvelParams; ++i)
            normalised[i] = (plug->controls[i] - minimum[i]) / (maximum[i] - minimum[i]);
        return DrawSorvelEditor(normalised);
    }

    Lv2TestHost::World world;
    std::unique_ptr<Lv2TestHost::Instance> plug;
    TestDisplay display;
    Window parent = 0;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
    HostRecord record;
    LV2UI_Resize resize{&record, [](LV2UI_Feature_Handle h, int width, int height) {
                            static_cast<HostRecord*>(h)->width = width;
                            static_cast<HostRecord*>(h)->height = height;
                            return 0;
                        }};
    LV2UI_Touch touch{&record, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                          static_cast<HostRecord*>(h)->touches.emplace_back(port, grabbed);
                      }};
};

} // namespace

TEST_F(Lv2Editor, ShowsTheOffscreenPictureAndWritesADragToTheHostsPort) {
    EXPECT_EQ(record.width, 1156);
    EXPECT_EQ(record.height, 456);
    EXPECT_EQ(DescribeDifference(display.Pixels(EditorWindow(), 1156, 456), Reference()), "");

    const ControlSpot drive = SorvelControlSpot(kDriveControl);
    MoveTo(drive.x, drive.y);
    Button(true);
    for (int step = 1; step <= 4; ++step)
        MoveTo(drive.x, drive.y - 10 * step);
    Button(false);

    ASSERT_FALSE(record.writes.empty()) << "the drag wrote nothing to the host";
    for (const auto& [port, value] : record.writes)
        EXPECT_EQ(port, unsigned(kDrive));
    const float written = record.writes.back().second;
    EXPECT_GT(written, -40.0f) << "dragging up raises the drive";
    const std::vector<std::pair<uint32_t, bool>> gesture = {{kDrive, true}, {kDrive, false}};
    EXPECT_EQ(record.touches, gesture);

    // The host takes the written value into its port, runs a block and echoes it to the UI:
    // the window then shows the host's values.
    plug->controls[kDrive] = written;
    plug->Render(Lv2TestHost::Noise(64, 5), {64});
    descriptor->port_event(handle, kDrive, sizeof(float), 0, &plug->controls[kDrive]);
    RunFor(150);
    EXPECT_EQ(DescribeDifference(display.Pixels(EditorWindow(), 1156, 456), Reference()), "");
}
