// Units and the program list of the VST 3 adapter (IUnitInfo). Every answer here is for the
// host's user-interface thread.
#include "vst3/IPlugVST3.h"

#include "vst3/sdk/StringConvert.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 PLUGIN_API IPlugVST3::getUnitCount() {
    return groupNames.Count() + 1;
}

tresult PLUGIN_API IPlugVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex == 0) {
        info.id = kRootUnitId;
        info.parentUnitId = kNoParentUnitId;
        str8ToStr16(info.name, "Root Unit", 128);
        info.programListId = kNoProgramListId;
        return kResultOk;
    }
    const char* group = groupNames.Get(unitIndex - 1);
    if (unitIndex < 0 || !group)
        return kResultFalse;
    info.id = unitIndex;
    info.parentUnitId = kRootUnitId;
    str8ToStr16(info.name, group, 128);
    info.programListId = kNoProgramListId;
    return kResultOk;
}

// The preset list is described through getProgramListInfo but not counted: hosts find the
// presets through the program-change parameter.
int32 PLUGIN_API IPlugVST3::getProgramListCount() {
    return 0;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
    if (listIndex != 0)
        return kResultFalse;
    info.id = static_cast<ProgramListID>(PresetParamId);
    str8ToStr16(info.name, "Factory Presets", 128);
    info.programCount = NPresets();
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex,
                                             String128 name) {
    if (listId != static_cast<ProgramListID>(PresetParamId) || !name)
        return kResultFalse;
    str8ToStr16(name, PresetName(programIndex), 128);
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramInfo(ProgramListID, int32, CString, String128) {
    return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::hasProgramPitchNames(ProgramListID, int32) {
    return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getProgramPitchName(ProgramListID, int32, int16, String128) {
    return kNotImplemented;
}

UnitID PLUGIN_API IPlugVST3::getSelectedUnit() {
    return kRootUnitId;
}

tresult PLUGIN_API IPlugVST3::selectUnit(UnitID) {
    return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
    return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*) {
    return kNotImplemented;
}
