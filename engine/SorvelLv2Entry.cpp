// What the LV2 module tells hosts about Sorvel, and how it builds one.
#include "engine/Sorvel.h"
#include "lv2/Lv2PlugDescription.h"

const Lv2PlugDescription& Lv2PlugClass() {
    static const Lv2PlugDescription description{
        "https://www.velmora.audio/plugins/sorvel",
        "https://www.velmora.audio/plugins/sorvel#mono",
        "https://www.velmora.audio/plugins/sorvel#ui",
        "https://www.velmora.audio",
        "support@velmora.audio",
    };
    return description;
}

IPlugLV2* CreateLv2PlugInstance() {
    return new Sorvel;
}
