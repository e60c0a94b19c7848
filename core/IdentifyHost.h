#pragma once

// Which host application the plug-in runs in, from the name the host gives.
enum HostCode : int {
    HostUnknown = -1, // not yet identified
    HostOther = 0,    // a name matched no key
    HostReaper = 1,
    HostProTools = 2,
    HostCubase = 3,
    HostNuendo = 4,
    HostCakewalk = 5,
    HostFruity = 7,
    HostSamplitude = 8,
    HostLive = 9,
    HostMelodyne = 12,
    HostVstManLib = 13,
    HostAULab = 14,
    HostForte = 15,
    HostChainer = 16,
    HostAudition = 17,
    HostOrion = 18,
    HostSawStudio = 20,
    HostLogic = 21,
    HostGarageBand = 22,
    HostDigital = 23,
    HostStandalone = 24,
    HostAudioMulch = 25,
    HostPresonus = 26,
    HostVst3PluginTestHost = 27,
    HostArdour = 28,
    HostRenoise = 29,
    HostOpenMpt = 30,
};

// Lower-cases the name (A to Z) and returns the code of the first key, in search order, that
// occurs in it. Names longer than 255 characters are cut.
HostCode IdentifyHost(const char* name);
