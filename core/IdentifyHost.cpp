#include "core/IdentifyHost.h"

#include <cstring>

namespace {

struct HostKey {
    const char* key;
    HostCode code;
};

// The search order decides ties: a name holding both "cubase" and "nuendo" is Cubase, and
// "live" inside any longer word wins unless one of the six keys before it matched.
constexpr HostKey kHostKeys[] = {
    {"cubase", HostCubase},
    {"reaper", HostReaper},
    {"nuendo", HostNuendo},
    {"cakewalk", HostCakewalk},
    {"samplitude", HostSamplitude},
    {"fruity", HostFruity},
    {"live", HostLive},
    {"melodyne", HostMelodyne},
    {"vstmanlib", HostVstManLib},
    {"aulab", HostAULab},
    {"garageband", HostGarageBand},
    {"forte", HostForte},
    {"chainer", HostChainer},
    {"audition", HostAudition},
    {"orion", HostOrion},
    {"sawstudio", HostSawStudio},
    {"logic", HostLogic},
    {"digital", HostDigital},
    {"audiomulch", HostAudioMulch},
    {"presonus", HostPresonus},
    {"vst3plugintesthost", HostVst3PluginTestHost},
    {"protools", HostProTools},
    {"ardour", HostArdour},
    {"openmpt", HostOpenMpt},
    {"renoise", HostRenoise},
    {"standalone", HostStandalone},
};

} // namespace

HostCode IdentifyHost(const char* name) {
    char lowered[256];
    int length = 0;
    if (name)
        for (; length < 255 && name[length]; ++length) {
            const char c = name[length];
            lowered[length] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    lowered[length] = '\0';
    for (const HostKey& entry : kHostKeys)
        if (std::strstr(lowered, entry.key))
            return entry.code;
    return HostOther;
}
