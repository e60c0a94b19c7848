// The product side of the test bundle's module.
#include "tests/vst3/TestPlugVST3.h"
#include "vst3/PluginFactory.h"

const PlugClassDescription& PlugClass() {
    static const PlugClassDescription description{"SorvelTest",
                                                  "Velmora",
                                                  "https://www.velmora.audio",
                                                  "support@velmora.audio",
                                                  "Fx|EQ",
                                                  FourCharCode("Vlmr"),
                                                  FourCharCode("Tst1"),
                                                  0x10203};
    return description;
}

IPlugVST3* CreatePlugInstance() {
    return new TestPlugVST3;
}
