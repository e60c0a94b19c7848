#include "tools/plughost/ModuleDescription.h"

#include "vst3/sdk/SpeakerArrangement.h"

#include <algorithm>
#include <cstring>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

struct FlagName {
    std::int64_t bit;
    const char* name;
};

constexpr FlagName kParameterFlags[] = {
    {ParameterInfo::kCanAutomate, "automatable"},
    {ParameterInfo::kIsReadOnly, "read-only"},
    {ParameterInfo::kIsWrapAround, "wrap-around"},
    {ParameterInfo::kIsList, "list"},
    {ParameterInfo::kIsHidden, "hidden"},
    {ParameterInfo::kIsProgramChange, "program-change"},
    {ParameterInfo::kIsBypass, "bypass"},
};

constexpr FlagName kFactoryFlags[] = {
    {PFactoryInfo::kClassesDiscardable, "classes-discardable"},
    {PFactoryInfo::kLicenseCheck, "license-check"},
    {PFactoryInfo::kComponentNonDiscardable, "component-non-discardable"},
    {PFactoryInfo::kUnicode, "unicode"},
};

struct ArrangementNameEntry {
    std::uint64_t arrangement;
    const char* name;
};

constexpr ArrangementNameEntry kArrangementNames[] = {
    {SpeakerArr::kEmpty, "empty"},
    {SpeakerArr::kMono, "mono"},
    {SpeakerArr::kStereo, "stereo"},
    {kSpeakerL | kSpeakerR | kSpeakerC, "LRC"},
    {kSpeakerL | kSpeakerR | kSpeakerLs | kSpeakerRs, "quadro"},
    {kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLs | kSpeakerRs, "5.0"},
    {SpeakerArr::k51, "5.1"},
};

template <size_t N> std::string JoinFlags(std::int64_t flags, const FlagName (&names)[N]) {
    std::string out;
    for (const FlagName& f : names)
        if (flags & f.bit) {
            if (!out.empty())
                out += ',';
            out += f.name;
        }
    return out;
}

// An 8-bit field that may fill its whole capacity without a terminator.
template <size_t N> std::string FieldText(const char8 (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

void DescribeFactory(const Hosting::Module& module, ModuleDescription& d) {
    IPluginFactory* factory = module.getFactory();
    PFactoryInfo info;
    if (factory->getFactoryInfo(&info) == kResultOk) {
        d.vendor = FieldText(info.vendor);
        d.url = FieldText(info.url);
        d.email = FieldText(info.email);
        d.factoryFlags = info.flags;
    }
    IPtr<IPluginFactory2> factory2 = queryInterfacePtr<IPluginFactory2>(factory);
    const int32 count = factory->countClasses();
    for (int32 i = 0; i < count; ++i) {
        PClassInfo info1;
        if (factory->getClassInfo(i, &info1) != kResultOk)
            continue;
        ModuleDescription::ClassEntry entry;
        char8 cid[33];
        FUID::fromTUID(info1.cid).toString(cid);
        entry.cid = cid;
        entry.category = FieldText(info1.category);
        entry.name = FieldText(info1.name);
        entry.cardinality = info1.cardinality;
        PClassInfo2 info2;
        if (factory2 && factory2->getClassInfo2(i, &info2) == kResultOk) {
            entry.hasDetails = true;
            entry.classFlags = info2.classFlags;
            entry.subCategories = FieldText(info2.subCategories);
            entry.vendor = FieldText(info2.vendor);
            entry.version = FieldText(info2.version);
            entry.sdkVersion = FieldText(info2.sdkVersion);
        }
        d.classes.push_back(entry);
    }
}

void DescribeBuses(const PluginInstance& plugin, ModuleDescription& d) {
    for (MediaType media : {kAudio, kEvent})
        for (BusDirection direction : {kInput, kOutput}) {
            const int32 count = plugin.Component()->getBusCount(media, direction);
            for (int32 i = 0; i < count; ++i) {
                BusInfo info{};
                if (plugin.Component()->getBusInfo(media, direction, i, info) != kResultOk)
                    continue;
                ModuleDescription::BusEntry bus;
                bus.audio = media == kAudio;
                bus.input = direction == kInput;
                bus.index = i;
                bus.name = ToUtf8(info.name);
                bus.channels = info.channelCount;
                bus.aux = info.busType == kAux;
                bus.flags = info.flags;
                if (bus.audio) {
                    SpeakerArrangement arrangement = 0;
                    bus.hasArrangement = plugin.Processor()->getBusArrangement(
                                             direction, i, arrangement) == kResultOk;
                    bus.arrangement = arrangement;
                }
                d.buses.push_back(bus);
            }
        }
}

void DescribeParameters(const PluginInstance& plugin, ModuleDescription& d) {
    for (const ParameterEntry& p : plugin.Parameters()) {
        ModuleDescription::ParameterLine line;
        line.id = p.info.id;
        line.title = p.title;
        line.shortTitle = p.shortTitle;
        line.units = p.units;
        line.stepCount = p.info.stepCount;
        line.defaultNormalized = p.info.defaultNormalizedValue;
        line.defaultText = plugin.ValueText(p.info.id, p.info.defaultNormalizedValue);
        line.currentNormalized = plugin.Controller()->getParamNormalized(p.info.id);
        line.currentText = plugin.ValueText(p.info.id, line.currentNormalized);
        line.unitId = p.info.unitId;
        line.flags = p.info.flags;
        d.parameters.push_back(line);
    }
}

void DescribeUnits(const PluginInstance& plugin, ModuleDescription& d) {
    IUnitInfo* units = plugin.Units();
    if (units == nullptr)
        return;
    for (int32 i = 0, count = units->getUnitCount(); i < count; ++i) {
        UnitInfo info{};
        if (units->getUnitInfo(i, info) == kResultOk)
            d.units.push_back({info.id, info.parentUnitId, ToUtf8(info.name), info.programListId});
    }
    // One index past the count is asked too: a plug-in may describe a list it does not count.
    const int32 count = std::max(0, units->getProgramListCount());
    for (int32 i = 0; i <= count; ++i) {
        ProgramListInfo info{};
        if (units->getProgramListInfo(i, info) != kResultOk)
            continue;
        ModuleDescription::ProgramListEntry list{info.id, ToUtf8(info.name), {}, i == count};
        for (int32 k = 0; k < info.programCount && k < 4096; ++k) {
            String128 name = {};
            list.programs.push_back(units->getProgramName(info.id, k, name) == kResultOk
                                        ? ToUtf8(name)
                                        : std::string());
        }
        d.programLists.push_back(list);
    }
}

} // namespace

std::string ArrangementName(std::uint64_t arrangement) {
    for (const auto& entry : kArrangementNames)
        if (entry.arrangement == arrangement)
            return entry.name;
    return {};
}

std::string ParameterFlagNames(std::int32_t flags) {
    return JoinFlags(static_cast<std::uint32_t>(flags), kParameterFlags);
}

std::string FactoryFlagNames(std::int32_t flags) {
    return JoinFlags(static_cast<std::uint32_t>(flags), kFactoryFlags);
}

ModuleDescription DescribeModule(const std::string& bundlePath, const Hosting::Module& module,
                                 const PluginInstance& plugin) {
    ModuleDescription d;
    d.bundle = bundlePath;
    d.binary = module.getBinaryPath();
    DescribeFactory(module, d);
    d.effectName = FieldText(plugin.ClassInfo().name);
    d.separateController = plugin.HasSeparateController();
    d.latencySamples = plugin.Processor()->getLatencySamples();
    d.tailSamples = plugin.Processor()->getTailSamples();
    d.can32 = plugin.Processor()->canProcessSampleSize(kSample32) == kResultTrue;
    d.can64 = plugin.Processor()->canProcessSampleSize(kSample64) == kResultTrue;
    DescribeBuses(plugin, d);
    DescribeParameters(plugin, d);
    DescribeUnits(plugin, d);
    return d;
}

} // namespace plughost
