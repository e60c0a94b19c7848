// What a host lists and opens: parameter titles, and the editor view without a window.
#include "tests/conformance/ConformanceHost.h"
#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/IPlugView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
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

// A host's copy of the parameters as it takes it from the component's state: how many of them
// (bypass included) are not what the plug-in answers.
int Differences(Plugin& plugin, std::vector<uint8>* state = nullptr) {
    IPtr<Hosting::MemoryStream> stream =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    EXPECT_EQ(plugin.component->getState(stream.get()), kResultOk);
    const std::vector<uint8> bytes = stream->data();
    if (state)
        *state = bytes;
    if (bytes.size() != static_cast<size_t>(kStateBytes))
        return kCoreParameters + 1;
    int differences = (bytes[8 * kCoreParameters] != 0) !=
                      (plugin.controller->getParamNormalized(kBypassId) == 1.0);
    for (int id = 0; id < kCoreParameters; ++id) {
        double plain;
        std::memcpy(&plain, bytes.data() + 8 * id, sizeof plain);
        differences += plugin.controller->plainParamToNormalized(id, plain) !=
                       plugin.controller->getParamNormalized(id);
    }
    return differences;
}

} // namespace

// Hosts built on the common host framework refresh their copy of every parameter from the
// component's state after creating a plug-in and after every load; a stale copy would be
// written back by automation or a generic editor.
TEST(HostFacing, AHostKeepingItsViewFromTheComponentStateSeesThePluginsValues) {
    Plugin plugin = Create();
    ASSERT_TRUE(Start(plugin, 48000.0, 256, false));
    IPtr<Hosting::ComponentHandler> handler =
        IPtr<Hosting::ComponentHandler>::adopt(new Hosting::ComponentHandler);
    plugin.controller->setComponentHandler(handler.get());
    std::vector<uint8> saved, restored;
    EXPECT_EQ(Differences(plugin, &saved), 0) << "after creation";

    for (Vst::ParamID id = 0; id < kCoreParameters; ++id)
        plugin.controller->setParamNormalized(id, 0.93);
    EXPECT_EQ(Differences(plugin), 0) << "after the host's edits";

    handler->clearCalls();
    IPtr<Hosting::MemoryStream> toComponent =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream(saved));
    IPtr<Hosting::MemoryStream> toController =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream(saved));
    ASSERT_EQ(plugin.component->setState(toComponent.get()), kResultOk);
    ASSERT_EQ(plugin.controller->setComponentState(toController.get()), kResultOk);
    EXPECT_EQ(Differences(plugin, &restored), 0) << "after the restore";
    EXPECT_EQ(restored, saved);
    const std::vector<Hosting::HandlerCall> calls = handler->getCalls();
    EXPECT_TRUE(calls.size() == 1 && calls[0].kind == Hosting::HandlerCall::restartComponent &&
                calls[0].flags == Vst::kParamValuesChanged)
        << "the host must be told once that the values changed";
    plugin.controller->setComponentHandler(nullptr);
    Stop(plugin);
}

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
