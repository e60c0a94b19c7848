// What a host lists and opens: parameter titles, and the editor view without a window.
#include "tests/conformance/ConformanceHost.h"
#include "vst3/sdk/IPlugView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace Steinberg;
using namespace Conformance;

namespace {

std::string Narrow(const Vst::TChar* text) {
    std::string out;
    for (int i = 0; i < 128 && text[i]; ++i)
        out += static_cast<char>(text[i]);
    return out;
}

} // namespace

TEST(HostFacing, EveryParameterHasATitleHostsCanList) {
    Plugin plugin = Create();
    ASSERT_TRUE(Start(plugin, 44100.0, 512, false));
    const int32 count = plugin.controller->getParameterCount();
    ASSERT_EQ(count, kCoreParameters + 2);
    for (int32 i = 0; i < count; ++i) {
        Vst::ParameterInfo info{};
        ASSERT_EQ(plugin.controller->getParameterInfo(i, info), kResultOk);
        EXPECT_FALSE(Narrow(info.title).empty()) << "parameter (id=" << info.id << ") has no title";
    }
    Vst::ParameterInfo oversampling{};
    ASSERT_EQ(plugin.controller->getParameterInfo(kCoreParameters + 1, oversampling), kResultOk);
    EXPECT_EQ(oversampling.id, 32u);
    EXPECT_EQ(Narrow(oversampling.title), "OVERSAMPLING");
    EXPECT_EQ(Narrow(oversampling.shortTitle), "OVERSAMPLING");
    EXPECT_EQ(oversampling.stepCount, 1);
    EXPECT_EQ(oversampling.defaultNormalizedValue, 0.0);
    EXPECT_EQ(oversampling.flags, Vst::ParameterInfo::kCanAutomate);
    Vst::String128 text{};
    EXPECT_EQ(plugin.controller->getParamStringByValue(32, 1.0, text), kResultOk);
    EXPECT_EQ(Narrow(text), "1");
    Stop(plugin);
}

// Without an X display no window can be made: the view must say so, and stay usable.
TEST(HostFacing, AttachingWithoutAWindowFails) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    Plugin plugin = Create();
    ASSERT_TRUE(Start(plugin, 44100.0, 512, false));
    IPtr<IPlugView> view = IPtr<IPlugView>::adopt(plugin.controller->createView("editor"));
    ASSERT_TRUE(view);
    const FIDString type = kPlatformTypeX11EmbedWindowID;
    ASSERT_EQ(view->isPlatformTypeSupported(type), kResultOk);
    EXPECT_EQ(view->attached(nullptr, type), kResultFalse) << "attached to no parent";
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x1234), type), kResultFalse)
        << "attached without a display";
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x1234), type), kResultFalse);
    EXPECT_EQ(view->removed(), kResultOk);
    view.reset();
    Stop(plugin);
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}
