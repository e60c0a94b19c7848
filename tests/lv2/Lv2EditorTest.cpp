// Sorvel.lv2's editor in a host window under X, opened through the UI descriptor with
// instance access, driven by idle calls and played on with real pointer input.
#include "Lv2TestHost.h"
#include "engine/SorvelParameters.h"
#include "tests/x11/EditorReference.h"
#include "tests/x11/X11TestDisplay.h"

// XTest's headers name Xlib's KeyCode type, which XlibHeaders.h renamed.
#define KeyCode XlibKeyCode
#include <X11/extensions/XTest.h>
#undef KeyCode

#include <chrono>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <thread>

TEST(Lv2Editor, ShowsTheOffscreenPictureAndWritesADragToTheHostsPort) {
    REQUIRE_X_DISPLAY();
    Lv2TestHost host;
    ASSERT_NE(host.plugin, nullptr);
    Lv2TestHost::Instance plug(host);
    TestDisplay display;
    const Window parent = display.OpenParent(1156, 456);
    void* library = dlopen(SORVEL_LV2_BUNDLE "/Sorvel.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const LV2UI_Descriptor* ui =
        reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))(0);

    struct HostRecord { // what the editor told the host
        std::vector<std::pair<uint32_t, float>> writes;
        std::vector<std::pair<uint32_t, bool>> touches;
        std::pair<int, int> size;
    } record;
    LV2UI_Resize resize{&record, [](LV2UI_Feature_Handle h, int width, int height) {
                            return (static_cast<HostRecord*>(h)->size = {width, height}), 0;
                        }};
    LV2UI_Touch touch{&record, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                          static_cast<HostRecord*>(h)->touches.emplace_back(port, grabbed);
                      }};
    auto write = [](LV2UI_Controller h, uint32_t port, uint32_t, uint32_t, const void* value) {
        static_cast<HostRecord*>(h)->writes.emplace_back(port, *static_cast<const float*>(value));
    };
    LV2_Feature parentWindow{LV2_UI__parent, reinterpret_cast<void*>(parent)},
        access{LV2_INSTANCE_ACCESS_URI, lilv_instance_get_handle(plug.instance)},
        resizing{LV2_UI__resize, &resize}, touching{LV2_UI__touch, &touch},
        idling{LV2_UI__idleInterface, nullptr};
    const LV2_Feature* list[] = {&parentWindow, &access, &resizing, &touching, &idling, nullptr};
    LV2UI_Widget widget = nullptr;
    LV2UI_Handle editor =
        ui->instantiate(ui, SORVEL_LV2_URI, SORVEL_LV2_BUNDLE, write, &record, &widget, list);
    ASSERT_NE(editor, nullptr);
    const auto* idle =
        static_cast<const LV2UI_Idle_Interface*>(ui->extension_data(LV2_UI__idleInterface));
    const Window window = Window(reinterpret_cast<uintptr_t>(widget));

    // The host's loop: idle calls about every 10 ms.
    auto runFor = [&](int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            EXPECT_EQ(idle->idle(editor), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
    // The pointer, played through XTEST; the host window lies at the screen's origin.
    auto pointer = [&](int px, int py, int button) {
        XTestFakeMotionEvent(display.Connection(), 0, px, py, CurrentTime);
        if (button >= 0)
            XTestFakeButtonEvent(display.Connection(), 1, button, CurrentTime);
        XFlush(display.Connection());
        runFor(30);
    };
    // What the graphics library draws offscreen for the values of the host's ports.
    auto reference = [&](double scale) {
        std::vector<float> low(plug.controls.size()), high(plug.controls.size());
        lilv_plugin_get_port_ranges_float(host.plugin, low.data(), high.data(), nullptr);
        std::vector<double> normalised(kNumSorvelParams);
        for (int i = 0; i < kNumSorvelParams; ++i)
            normalised[i] = (plug.controls[i] - low[i]) / (high[i] - low[i]);
        return DrawSorvelEditor(normalised, scale);
    };

    runFor(300);
    EXPECT_EQ(record.size, std::pair(1156, 456));
    EXPECT_EQ(DescribeDifference(display.Pixels(window, 1156, 456), reference(1.0)), "");

    const ControlSpot drive = SorvelControlSpot(33); // the drive knob
    pointer(drive.x, drive.y, true);
    for (int step = 1; step <= 4; ++step)
        pointer(drive.x, drive.y - 10 * step, -1);
    pointer(drive.x, drive.y - 40, false);
    ASSERT_FALSE(record.writes.empty()) << "the drag wrote nothing to the host";
    for (const auto& [port, value] : record.writes)
        EXPECT_EQ(port, unsigned(kDrive));
    EXPECT_GT(record.writes.back().second, -40.0f) << "dragging up raises the drive";
    const std::vector<std::pair<uint32_t, bool>> gesture = {{kDrive, true}, {kDrive, false}};
    EXPECT_EQ(record.touches, gesture);

    // The host takes the value into its port, runs and echoes it: the window shows the port.
    plug.controls[kDrive] = record.writes.back().second;
    plug.Run();
    ui->port_event(editor, kDrive, sizeof(float), 0, &plug.controls[kDrive]);
    runFor(150);
    EXPECT_EQ(DescribeDifference(display.Pixels(window, 1156, 456), reference(1.0)), "");
    ui->cleanup(editor);

    // A host that asks for a display scale through its options gets the editor at that scale.
    const float factor = 2.0f;
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, host.Map(LV2_UI__scaleFactor),
                                           sizeof(float), host.Map(LV2_ATOM__Float), &factor},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    LV2_Feature mapping{LV2_URID__map, &host.map}, offering{LV2_OPTIONS__options, (void*)options};
    const LV2_Feature* scaled[] = {&parentWindow, &access,  &resizing, &touching,
                                   &idling,       &mapping, &offering, nullptr};
    XResizeWindow(display.Connection(), parent, 2312, 912);
    XSync(display.Connection(), False);
    editor =
        ui->instantiate(ui, SORVEL_LV2_URI, SORVEL_LV2_BUNDLE, write, &record, &widget, scaled);
    ASSERT_NE(editor, nullptr);
    runFor(300);
    EXPECT_EQ(record.size, std::pair(2312, 912));
    EXPECT_EQ(
        DescribeDifference(display.Pixels(Window(reinterpret_cast<uintptr_t>(widget)), 2312, 912),
                           reference(2.0)),
        "");
    ui->cleanup(editor);
    dlclose(library);
}
