#include "EditorFixture.h"

namespace {

constexpr int kBackgroundId = 7001;
constexpr int kKnobId = 7002;
constexpr int kSelectorId = 7003;
constexpr int kToggleId = 7004;

} // namespace

void EditorFixture::SetUp() {
    StripGraphics::Register(kBackgroundId, 200, 100, 1);
    StripGraphics::Register(kKnobId, 40, 71, 31);
    StripGraphics::Register(kSelectorId, 20, 10, 3);
    StripGraphics::Register(kToggleId, 20, 10, 2);
    graphics = new StripGraphics(&plug, 200, 100);
    graphics->InstallBackground(graphics->LoadFrameBitmap(kBackgroundId, "bg.png", 1));
    graphics->AddControl(new IKnobMultiControl(&plug, 10, 10, 0,
                                               graphics->LoadFrameBitmap(kKnobId, "knob.png", 31)));
    graphics->AddControl(new ISwitchControl(&plug, 100, 10, 2,
                                            graphics->LoadFrameBitmap(kSelectorId, "sel.png", 3)));
    graphics->AddControl(
        new ISwitchControl(&plug, 100, 40, 1, graphics->LoadFrameBitmap(kToggleId, "tog.png", 2)));
    graphics->AddControl(new IURLControl(&plug, PixelRect{150, 60, 250, 160},
                                         "https://example.invalid/first",
                                         "https://example.invalid/second"));
    plug.AttachEditor(graphics);
    plug.calls.clear();
}
