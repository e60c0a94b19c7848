#pragma once

#include <string>

class IPlugLV2;
struct Lv2PlugDescription;

// The bundle's descriptions, made from the plug-in's own parameter records: hosts read these
// before they load the binary.
//
// manifest.ttl: the plug-in (and its mono variant), its editor, their binary and where their
// description is.
std::string ManifestTtl(IPlugLV2& plug, const Lv2PlugDescription& description,
                        const std::string& binary, const std::string& descriptionFile);
// The plug-in's description: name, class, maintainer, version, and one port per core parameter
// (symbol, range, default, stepping, units, value labels), the host bypass and the audio ports.
std::string PluginTtl(IPlugLV2& plug, const Lv2PlugDescription& description,
                      const std::string& binary);
