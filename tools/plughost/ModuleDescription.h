#pragma once

#include "tools/plughost/PluginInstance.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

// Everything `plughost info` reports about a module, gathered first and printed afterwards
// as text or JSON.
struct ModuleDescription {
    struct ClassEntry {
        std::string cid;
        std::string category;
        std::string name;
        std::int32_t cardinality = 0;
        bool hasDetails = false; // the factory answered getClassInfo2
        std::uint32_t classFlags = 0;
        std::string subCategories;
        std::string vendor;
        std::string version;
        std::string sdkVersion;
    };
    struct BusEntry {
        bool audio = true;
        bool input = true;
        int index = 0;
        std::string name;
        int channels = 0;
        std::uint64_t arrangement = 0;
        bool hasArrangement = false;
        bool aux = false;
        std::uint32_t flags = 0;
    };
    struct ParameterLine {
        std::uint32_t id = 0;
        std::string title;
        std::string shortTitle;
        std::string units;
        int stepCount = 0;
        double defaultNormalized = 0;
        std::string defaultText;
        double currentNormalized = 0;
        std::string currentText;
        int unitId = 0;
        std::int32_t flags = 0;
    };
    struct UnitEntry {
        int id = 0;
        int parent = 0;
        std::string name;
        int programList = 0;
    };
    struct ProgramListEntry {
        int id = 0;
        std::string name;
        std::vector<std::string> programs;
        // Described by getProgramListInfo although getProgramListCount leaves it out.
        bool unannounced = false;
    };

    std::string bundle;
    std::string binary;
    std::string vendor;
    std::string url;
    std::string email;
    std::int32_t factoryFlags = 0;
    std::vector<ClassEntry> classes;

    std::string effectName;
    bool separateController = false;
    std::uint32_t latencySamples = 0;
    std::uint32_t tailSamples = 0;
    bool can32 = false;
    bool can64 = false;
    std::vector<BusEntry> buses;
    std::vector<ParameterLine> parameters;
    std::vector<UnitEntry> units;
    std::vector<ProgramListEntry> programLists;
};

ModuleDescription DescribeModule(const std::string& bundlePath,
                                 const Steinberg::Hosting::Module& module,
                                 const PluginInstance& plugin);

// Readable names: "stereo" for 0x3 (empty when the arrangement has no usual name), and the
// names of set flag bits joined with commas.
std::string ArrangementName(std::uint64_t arrangement);
std::string ParameterFlagNames(std::int32_t flags);
std::string FactoryFlagNames(std::int32_t flags);

} // namespace plughost
