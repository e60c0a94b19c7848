#pragma once

#include "tools/plughost/PluginInstance.h"
#include "tools/plughost/PresetFile.h"
#include "tools/plughost/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

// A state file as plughost keeps it: either the controller's raw state bytes, or a VST 3 preset
// file, which a file named *.vstpreset always is and any file starting with "VST3" is taken as.
struct StateFile {
    std::string path;
    std::vector<std::uint8_t> bytes; // the file as read
    bool isPreset = false;
    PresetFile preset; // when isPreset

    // The bytes the controller's setState takes: the whole raw file, or the preset's "Cont".
    const std::vector<std::uint8_t>* ControllerBytes() const;
};

// Reads the file and checks a preset's structure; nothing touches a plug-in yet.
Status ReadStateFile(const std::string& path, StateFile& out);

// Loads the state into the plug-in. A preset must name the plug-in's own class; its component
// state goes to the component (and a separate controller), its controller state to setState.
Status ApplyStateFile(const PluginInstance& plugin, const StateFile& file);

// The plug-in's current state as the bytes of a file named `path`: a preset for *.vstpreset,
// else the raw controller state.
Status CaptureStateFile(const PluginInstance& plugin, const std::string& path,
                        std::vector<std::uint8_t>& bytes);

// The 32-hex-digit text of the plug-in's class ID, as presets and moduleinfo.json carry it.
std::string ClassIdText(const PluginInstance& plugin);

} // namespace plughost
