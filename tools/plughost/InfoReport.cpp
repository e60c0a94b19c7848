#include "tools/plughost/InfoReport.h"

#include "tools/plughost/JsonWriter.h"

#include <cstdio>
#include <string_view>

namespace plughost {

namespace {

std::string Format(const char* format, auto... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.pop_back();
    return text;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The value as the plug-in shows it, or "@normalised" when it shows nothing.
std::string ShownValue(const std::string& text, double normalized) {
    return text.empty() ? Format("@%.4f", normalized) : text;
}

std::string BusLine(const ModuleDescription::BusEntry& bus) {
    std::string line =
        Format("  %-5s %-3s %d  %-16s %d ch", bus.audio ? "audio" : "event",
               bus.input ? "in" : "out", bus.index, Quoted(bus.name).c_str(), bus.channels);
    if (bus.hasArrangement) {
        const std::string name = ArrangementName(bus.arrangement);
        line += Format("  %s (0x%llx)", name.empty() ? "arrangement" : name.c_str(),
                       static_cast<unsigned long long>(bus.arrangement));
    }
    line += bus.aux ? "  aux" : "  main";
    if (bus.flags & 1)
        line += ", default active";
    return line + "\n";
}

} // namespace

std::string InfoText(const ModuleDescription& d) {
    std::string out;
    out += "Bundle    " + d.bundle + "\n";
    out += "Binary    " + d.binary + "\n";
    out += "Factory   vendor " + Quoted(d.vendor) + ", url " + Quoted(d.url) + ", e-mail " +
           Quoted(d.email) + Format(", flags 0x%x", d.factoryFlags);
    const std::string factoryFlags = FactoryFlagNames(d.factoryFlags);
    out += factoryFlags.empty() ? "\n" : " (" + factoryFlags + ")\n";

    out += Format("Classes (%zu)\n", d.classes.size());
    for (size_t i = 0; i < d.classes.size(); ++i) {
        const auto& c = d.classes[i];
        out += Format("  %zu  %s  %s  cid %s  cardinality %d\n", i, Quoted(c.category).c_str(),
                      Quoted(c.name).c_str(), c.cid.c_str(), c.cardinality);
        if (c.hasDetails)
            out += Format("     sub-categories %s, vendor %s, version %s, SDK %s, flags 0x%x\n",
                          Quoted(c.subCategories).c_str(), Quoted(c.vendor).c_str(),
                          Quoted(c.version).c_str(), Quoted(c.sdkVersion).c_str(), c.classFlags);
    }

    out += "Effect    " + Quoted(d.effectName) +
           (d.separateController ? ", separate controller" : ", single component") +
           Format(", latency %u samples, tail %u samples, 32-bit %s, 64-bit %s\n", d.latencySamples,
                  d.tailSamples, d.can32 ? "yes" : "no", d.can64 ? "yes" : "no");

    out += Format("Buses (%zu)\n", d.buses.size());
    for (const auto& bus : d.buses)
        out += BusLine(bus);

    out += Format("Parameters (%zu)\n", d.parameters.size());
    // One layout for the heading and the rows, so that they cannot drift apart.
    constexpr const char* kParameterColumns = "  %-10s %-16s %-6s %5s %12s %12s %4s  %s\n";
    out += Format(kParameterColumns, "id", "title", "units", "steps", "default", "current", "unit",
                  "flags");
    for (const auto& p : d.parameters)
        out += Format(kParameterColumns, std::to_string(p.id).c_str(),
                      p.title.empty() ? "(untitled)" : p.title.c_str(), p.units.c_str(),
                      std::to_string(p.stepCount).c_str(),
                      ShownValue(p.defaultText, p.defaultNormalized).c_str(),
                      ShownValue(p.currentText, p.currentNormalized).c_str(),
                      std::to_string(p.unitId).c_str(), ParameterFlagNames(p.flags).c_str());

    out += Format("Units (%zu)\n", d.units.size());
    for (const auto& u : d.units)
        out += Format("  %d  %s  parent %d  program list %d\n", u.id, Quoted(u.name).c_str(),
                      u.parent, u.programList);
    out += Format("Program lists (%zu)\n", d.programLists.size());
    for (const auto& list : d.programLists) {
        out += Format("  %d  %s  %zu programs%s\n", list.id, Quoted(list.name).c_str(),
                      list.programs.size(),
                      list.unannounced ? "  (not counted by getProgramListCount)" : "");
        for (size_t k = 0; k < list.programs.size(); ++k)
            out += Format("     %zu  %s\n", k, Quoted(list.programs[k]).c_str());
    }
    return out;
}

std::string InfoJson(const ModuleDescription& d) {
    JsonWriter json;
    json.BeginObject().String("bundle", d.bundle).String("binary", d.binary);
    json.BeginObject("factory")
        .String("vendor", d.vendor)
        .String("url", d.url)
        .String("email", d.email)
        .Integer("flags", d.factoryFlags)
        .EndObject();
    json.BeginArray("classes");
    for (const auto& c : d.classes) {
        json.BeginObject()
            .String("cid", c.cid)
            .String("category", c.category)
            .String("name", c.name)
            .Integer("cardinality", c.cardinality);
        if (c.hasDetails)
            json.Integer("classFlags", c.classFlags)
                .String("subCategories", c.subCategories)
                .String("vendor", c.vendor)
                .String("version", c.version)
                .String("sdkVersion", c.sdkVersion);
        json.EndObject();
    }
    json.EndArray();
    json.BeginObject("effect")
        .String("name", d.effectName)
        .Bool("separateController", d.separateController)
        .Integer("latencySamples", d.latencySamples)
        .Integer("tailSamples", d.tailSamples)
        .Bool("sample32", d.can32)
        .Bool("sample64", d.can64)
        .EndObject();
    json.BeginArray("buses");
    for (const auto& bus : d.buses) {
        json.BeginObject()
            .String("media", bus.audio ? "audio" : "event")
            .String("direction", bus.input ? "input" : "output")
            .Integer("index", bus.index)
            .String("name", bus.name)
            .Integer("channels", bus.channels)
            .String("type", bus.aux ? "aux" : "main")
            .Integer("flags", bus.flags);
        if (bus.hasArrangement)
            json.Integer("arrangement", static_cast<std::int64_t>(bus.arrangement))
                .String("arrangementName", ArrangementName(bus.arrangement));
        json.EndObject();
    }
    json.EndArray();
    json.BeginArray("parameters");
    for (const auto& p : d.parameters)
        json.BeginObject()
            .Integer("id", p.id)
            .String("title", p.title)
            .String("shortTitle", p.shortTitle)
            .String("units", p.units)
            .Integer("stepCount", p.stepCount)
            .Number("defaultNormalized", p.defaultNormalized)
            .String("default", p.defaultText)
            .Number("currentNormalized", p.currentNormalized)
            .String("current", p.currentText)
            .Integer("unitId", p.unitId)
            .Integer("flags", p.flags)
            .String("flagNames", ParameterFlagNames(p.flags))
            .EndObject();
    json.EndArray();
    json.BeginArray("units");
    for (const auto& u : d.units)
        json.BeginObject()
            .Integer("id", u.id)
            .Integer("parent", u.parent)
            .String("name", u.name)
            .Integer("programList", u.programList)
            .EndObject();
    json.EndArray();
    json.BeginArray("programLists");
    for (const auto& list : d.programLists) {
        json.BeginObject()
            .Integer("id", list.id)
            .String("name", list.name)
            .Bool("counted", !list.unannounced)
            .BeginArray("programs");
        for (const auto& name : list.programs)
            json.String({}, name);
        json.EndArray().EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

} // namespace plughost
