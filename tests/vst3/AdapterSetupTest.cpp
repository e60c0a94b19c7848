// Initialisation in process: the host's name, narrowed to its low bytes, reaches the core's host
// identification.
#include "tests/vst3/TestPlugVST3.h"
#include "vst3/hosting/HostApplication.h"

#include <gtest/gtest.h>

using namespace Steinberg;

TEST(AdapterSetup, HostIdentification) {
    struct Case {
        const char16_t* hostName;
        int hostCode;
    };
    for (const Case& c : {Case{u"REAPER", 1}, Case{u"Bitwig Studio", 0}, Case{u"\u014FpenMPT", 30},
                          Case{u"My Ardour 8", 28}}) {
        SCOPED_TRACE(static_cast<int>(c.hostName[0]));
        auto* plug = new TestPlugVST3(false);
        EXPECT_EQ(plug->GetHostCode(), -1);
        IPtr<Hosting::HostApplication> host =
            IPtr<Hosting::HostApplication>::adopt(new Hosting::HostApplication(c.hostName));
        EXPECT_EQ(plug->initialize(static_cast<Vst::IHostApplication*>(host.get())), kResultOk);
        EXPECT_EQ(plug->GetHostCode(), c.hostCode);
        plug->terminate();
        EXPECT_EQ(plug->release(), 0u);
    }
    auto* plug = new TestPlugVST3(false);
    plug->initialize(nullptr);
    EXPECT_EQ(plug->GetHostCode(), -1) << "identified without a host application";
    plug->terminate();
    plug->release();
}
