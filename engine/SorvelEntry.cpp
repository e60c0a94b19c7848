// What the module tells hosts about Sorvel, and how it builds one.
#include "engine/Sorvel.h"
#include "vst3/PluginFactory.h"

const PlugClassDescription& PlugClass() {
    static const PlugClassDescription description{
        "Sorvel",
        "Velmora",
        "https://www.velmora.audio",
        "support@velmora.audio",
        "Fx|EQ",
        FourCharCode("Vlmr"),
        FourCharCode("Srv1"),
        0x30000,
    };
    return description;
}

IPlugVST3* CreatePlugInstance() {
    return new Sorvel;
}
