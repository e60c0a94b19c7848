#include "tools/lv2ttl/Lv2TtlWriter.h"

#include "lv2/IPlugLV2.h"
#include "lv2/Lv2PlugDescription.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// Concatenations start from a std::string: g++ 12 takes a literal + string for an overlapping
// copy (-Wrestrict).
namespace {

const char* const kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                              "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n\n";

// The shortest decimal text that reads back as the same double.
std::string Number(double value) {
    char text[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return text;
}

// A quoted Turtle string.
std::string Quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\')
            out += '\\';
        out += *c;
    }
    return out + "\"";
}

const char* Title(IPlugLV2& plug, int index) {
    const char* title = plug.HostTitle(index);
    return title ? title : plug.GetParam(index)->name;
}

// Units a host shows beside the value, from the label the plug-in shows.
std::string UnitsOf(const ICoreParameter& parameter) {
    const char* label = parameter.DisplayLabel();
    if (!label || !*label)
        return "";
    if (std::strcmp(label, "dB") == 0)
        return "units:db";
    if (std::strcmp(label, "%") == 0)
        return "units:pc";
    if (std::strcmp(label, "Hz") == 0)
        return "units:hz";
    return std::string("[ a units:Unit ; units:symbol ") + Quoted(label) +
           std::string(" ; rdfs:label ") + Quoted(label) + " ]";
}

// The symbol hosts know parameter `index` by: its host title (or name) in lower case.
std::string PortSymbol(IPlugLV2& plug, int index) {
    std::string symbol;
    for (const char* c = Title(plug, index); *c; ++c)
        symbol += std::isalnum(static_cast<unsigned char>(*c))
                      ? static_cast<char>(std::tolower(static_cast<unsigned char>(*c)))
                      : '_';
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0])))
        symbol = std::string("p") + std::to_string(index) + symbol;
    return symbol;
}

std::string ControlPort(IPlugLV2& plug, int index) {
    const ICoreParameter& parameter = *plug.GetParam(index);
    std::string port = "[\n        a lv2:InputPort , lv2:ControlPort ;\n";
    port += std::string("        lv2:index ") + std::to_string(index) + " ;\n";
    port += std::string("        lv2:symbol ") + Quoted(PortSymbol(plug, index).c_str()) + " ;\n";
    port += std::string("        lv2:name ") +
            Quoted(*Title(plug, index) ? Title(plug, index) : PortSymbol(plug, index).c_str()) +
            " ;\n";
    port += std::string("        lv2:default ") + Number(parameter.defaultValue) + " ;\n";
    port += std::string("        lv2:minimum ") + Number(parameter.minimum) + " ;\n";
    port += std::string("        lv2:maximum ") + Number(parameter.maximum);
    const std::string units = UnitsOf(parameter);
    if (!units.empty())
        port += std::string(" ;\n        units:unit ") + units;
    if (parameter.kind != KindContinuous) {
        // Switches and selectors take whole values; each has its display text as its label.
        const bool onOff = parameter.minimum == 0.0 && parameter.maximum == 1.0;
        port += " ;\n        lv2:portProperty lv2:integer , lv2:enumeration";
        if (onOff)
            port += " , lv2:toggled";
        for (int value = static_cast<int>(parameter.minimum);
             value <= static_cast<int>(parameter.maximum); ++value) {
            char text[32];
            parameter.FormatPlain(value, text, static_cast<int>(sizeof text));
            port += std::string(" ;\n        lv2:scalePoint [ rdfs:label ") + Quoted(text) +
                    std::string(" ; rdf:value ") + std::to_string(value) + " ]";
        }
    }
    return port + "\n    ]";
}

std::string AudioPort(const char* direction, int index, const std::string& symbol,
                      const std::string& name) {
    return std::string("[\n        a lv2:") + std::string(direction) + " , lv2:AudioPort ;\n" +
           std::string("        lv2:index ") + std::to_string(index) +
           std::string(" ;\n        lv2:symbol ") + Quoted(symbol.c_str()) +
           std::string(" ;\n        lv2:name ") + Quoted(name.c_str()) + "\n    ]";
}

// "L" and "R" for a pair, numbers beyond it, nothing for one channel.
std::string ChannelSuffix(int channel, int count, bool symbol) {
    if (count == 1)
        return "";
    if (count == 2)
        return symbol ? (channel == 0 ? "_l" : "_r") : (channel == 0 ? " L" : " R");
    return std::string(symbol ? "_" : " ") + std::to_string(channel + 1);
}

// The plug-in's variants: its URI for the core's widest channel configuration, and the
// one-channel variant's where there is one.
struct Variant {
    const char* uri;
    int channels;
    std::string name;
};

std::vector<Variant> Variants(IPlugLV2& plug, const Lv2PlugDescription& description) {
    std::vector<Variant> variants{{description.uri, plug.NInChannels(), plug.EffectName()}};
    if (description.monoUri && plug.SelectChannels(1))
        variants.push_back({description.monoUri, 1, std::string(plug.EffectName()) + " Mono"});
    return variants;
}

// One variant's description, its ports as the adapter numbers them.
std::string PluginBlock(IPlugLV2& plug, const Variant& variant,
                        const Lv2PlugDescription& description, const std::string& binary) {
    plug.SelectChannels(variant.channels);
    const uint32_t version = plug.Version();
    char revision[32];
    std::snprintf(revision, sizeof revision, "%u.%u.%u", version >> 16, (version >> 8) & 0xFF,
                  version & 0xFF);
    std::string ttl = std::string("<") + variant.uri + ">\n    a lv2:Plugin , lv2:EQPlugin ;\n";
    ttl += std::string("    lv2:binary <") + binary + "> ;\n";
    ttl += std::string("    doap:name ") + Quoted(variant.name.c_str()) + " ;\n";
    ttl += std::string("    doap:maintainer [\n        foaf:name ") + Quoted(plug.VendorName()) +
           " ;\n        foaf:homepage <" + description.homepage +
           "> ;\n        foaf:mbox <mailto:" + description.email + ">\n    ] ;\n";
    ttl += std::string("    doap:revision ") + Quoted(revision) + " ;\n";
    ttl += std::string("    lv2:minorVersion ") + std::to_string((version >> 8) & 0xFF) + " ;\n";
    ttl += std::string("    lv2:microVersion ") + std::to_string(version & 0xFF) + " ;\n";
    ttl += "    lv2:optionalFeature lv2:hardRTCapable , <http://lv2plug.in/ns/ext/urid#map> ,\n"
           "        <http://lv2plug.in/ns/ext/options#options> ;\n";
    ttl += "    lv2:extensionData state:interface ;\n";
    ttl += std::string("    ui:ui <") + std::string(description.uiUri) + "> ;\n";
    ttl += "    lv2:port ";
    for (int i = 0; i < plug.NParams(); ++i)
        ttl += ControlPort(plug, i) + " , ";
    ttl += std::string("[\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index ") +
           std::to_string(plug.EnabledPort()) +
           " ;\n        lv2:symbol \"enabled\" ;\n        lv2:name \"Enabled\" ;\n"
           "        lv2:default 1 ;\n        lv2:minimum 0 ;\n        lv2:maximum 1 ;\n"
           "        lv2:designation lv2:enabled ;\n"
           "        lv2:portProperty lv2:integer , lv2:toggled\n    ]";
    const int channels = plug.HostChannels();
    for (int c = 0; c < channels; ++c)
        ttl += std::string(" , ") +
               AudioPort("InputPort", plug.AudioInputPort(c),
                         std::string("in") + ChannelSuffix(c, channels, true),
                         std::string(plug.InputBusLabel(0)) + ChannelSuffix(c, channels, false));
    for (int c = 0; c < channels; ++c)
        ttl += std::string(" , ") +
               AudioPort("OutputPort", plug.AudioOutputPort(c),
                         std::string("out") + ChannelSuffix(c, channels, true),
                         std::string(plug.OutputBusLabel(0)) + ChannelSuffix(c, channels, false));
    return ttl + " .\n\n";
}

} // namespace

std::string ManifestTtl(IPlugLV2& plug, const Lv2PlugDescription& description,
                        const std::string& binary, const std::string& descriptionFile) {
    std::string ttl = kPrefixes;
    for (const Variant& variant : Variants(plug, description))
        ttl += std::string("<") + variant.uri +
               std::string(">\n    a lv2:Plugin ;\n    lv2:binary <") + binary +
               "> ;\n    rdfs:seeAlso <" + descriptionFile + "> .\n\n";
    ttl += std::string("<") + std::string(description.uiUri) +
           std::string(">\n    a ui:X11UI ;\n    ui:binary <") + binary +
           "> ;\n    rdfs:seeAlso <" + descriptionFile + "> .\n";
    return ttl;
}

std::string PluginTtl(IPlugLV2& plug, const Lv2PlugDescription& description,
                      const std::string& binary) {
    std::string ttl = kPrefixes;
    ttl += "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n\n";
    for (const Variant& variant : Variants(plug, description))
        ttl += PluginBlock(plug, variant, description, binary);
    ttl += std::string("<") + std::string(description.uiUri) + ">\n    a ui:X11UI ;\n";
    ttl += std::string("    ui:binary <") + binary + "> ;\n";
    ttl += "    lv2:requiredFeature ui:idleInterface , ui:parent ,\n"
           "        <http://lv2plug.in/ns/ext/instance-access> ;\n";
    ttl += "    lv2:optionalFeature ui:resize , ui:touch , opts:options ;\n";
    ttl += "    opts:supportedOption ui:scaleFactor ;\n";
    ttl += "    lv2:extensionData ui:idleInterface .\n";
    return ttl;
}
