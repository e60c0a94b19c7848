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

// What a host that keeps its own copy of the parameters takes from the component's state: the
// normalised value of every core parameter, then bypass.
std::vector<double> ViewFromComponentState(Plugin& plugin, std::vector<uint8>* bytes = nullptr) {
    IPtr<Hosting::MemoryStream> stream =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    EXPECT_EQ(plugin.component->getState(stream.get()), kResultOk);
    const std::vector<uint8>& state = stream->data();
    if (bytes)
        *bytes = state;
    std::vector<double> view;
    if (state.size() != static_cast<size_t>(kStateBytes)) {
        ADD_FAILURE() << "the component's state has " << state.size() << " bytes";
        return view;
    }
    for (int id = 0; id < kCoreParameters; ++id) {
        double plain;
        std::memcpy(&plain, state.data() + 8 * id, sizeof plain);
        view.push_back(plugin.controller->plainParamToNormalized(id, plain));
    }
    int32 flag;
    std::memcpy(&flag, state.data() + 8 * kCoreParameters, sizeof flag);
    view.push_back(flag != 0 ? 1.0 : 0.0);
    return view;
}

// Parameters (bypass included) whose value in the host's view is not the plug-in's.
int Differences(Plugin& plugin, const std::vector<double>& view) {
    int differences = 0;
    for (int id = 0; id < kCoreParameters && id < static_cast<int>(view.size()); ++id)
        differences += view[id] != plugin.controller->getParamNormalized(id);
    if (view.size() == static_cast<size_t>(kCoreParameters + 1))
        differences += view.back() != plugin.controller->getParamNormalized(kBypassId);
    return differences;
}

tresult LoadAsHostsDo(Plugin& plugin, const std::vector<uint8>& bytes) {
    IPtr<Hosting::MemoryStream> toComponent =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream(bytes));
    IPtr<Hosting::MemoryStream> toController =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream(bytes));
    const tresult result = plugin.component->setState(toComponent.get());
    if (result != kResultOk)
        return result;
    return plugin.controller->setComponentState(toController.get());
}

} // namespace

// Hosts built on the common host framework refresh their copy of every parameter from the
// component's state after creating a plug-in and after every load; a copy that is not the
// plug-in's would be written back by automation or a generic editor.
TEST(HostFacing, AHostKeepingItsViewFromTheComponentStateSeesThePluginsValues) {
    Plugin plugin = Create();
    ASSERT_TRUE(Start(plugin, 48000.0, 256, false));
    IPtr<Hosting::ComponentHandler> handler =
        IPtr<Hosting::ComponentHandler>::adopt(new Hosting::ComponentHandler);
    plugin.controller->setComponentHandler(handler.get());
    std::vector<uint8> saved;
    const std::vector<double> created = ViewFromComponentState(plugin, &saved);
    EXPECT_EQ(Differences(plugin, created), 0) << "after creation";

    // Automation moves every value and bypass, then the host restores what it saved.
    IPtr<Hosting::ParameterChanges> changes =
        IPtr<Hosting::ParameterChanges>::adopt(new Hosting::ParameterChanges);
    for (int id = 0; id < kCoreParameters; ++id) {
        int32 index = 0;
        changes->addParameterData(id, index)->addPoint(0, created[id] > 0.5 ? 0.1 : 0.9, index);
    }
    int32 index = 0;
    changes->addParameterData(kBypassId, index)->addPoint(0, 1.0, index);
    GuardedBlock block(256, 2, false, false);
    ASSERT_EQ(plugin.processor->process(block.Data(256, changes.get())), kResultOk);
    ASSERT_GT(Differences(plugin, created), 20) << "the automation changed too little";
    EXPECT_EQ(Differences(plugin, ViewFromComponentState(plugin)), 0) << "after automation";

    handler->clearCalls();
    ASSERT_EQ(LoadAsHostsDo(plugin, saved), kResultOk);
    const std::vector<double> restored = ViewFromComponentState(plugin);
    EXPECT_EQ(Differences(plugin, restored), 0) << "after the restore";
    EXPECT_EQ(restored, created) << "the restore did not bring back the saved values";
    bool told = false;
    for (const Hosting::HandlerCall& call : handler->getCalls())
        told |= call.kind == Hosting::HandlerCall::restartComponent &&
                (call.flags & Vst::kParamValuesChanged) != 0;
    EXPECT_TRUE(told) << "the host was not told that the values changed";
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
