#include "vst3/sdk/EditControllerEx1.h"

namespace Steinberg::Vst {

bool EditControllerEx1::addUnit(Unit* unit) {
    if (unit == nullptr)
        return false;
    units.push_back(IPtr<Unit>::adopt(unit));
    return true;
}

bool EditControllerEx1::addProgramList(ProgramList* list) {
    if (list == nullptr)
        return false;
    programLists.push_back(IPtr<ProgramList>::adopt(list));
    return true;
}

ProgramList* EditControllerEx1::getProgramList(ProgramListID listId) const {
    for (const IPtr<ProgramList>& list : programLists)
        if (list->getID() == listId)
            return list.get();
    return nullptr;
}

tresult PLUGIN_API EditControllerEx1::terminate() {
    units.clear();
    programLists.clear();
    return EditController::terminate();
}

int32 PLUGIN_API EditControllerEx1::getUnitCount() {
    return static_cast<int32>(units.size());
}

tresult PLUGIN_API EditControllerEx1::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex < 0 || unitIndex >= getUnitCount())
        return kResultFalse;
    info = units[static_cast<size_t>(unitIndex)]->getInfo();
    return kResultTrue;
}

int32 PLUGIN_API EditControllerEx1::getProgramListCount() {
    return static_cast<int32>(programLists.size());
}

tresult PLUGIN_API EditControllerEx1::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
    if (listIndex < 0 || listIndex >= getProgramListCount())
        return kResultFalse;
    info = programLists[static_cast<size_t>(listIndex)]->getInfo();
    return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getProgramName(ProgramListID listId, int32 programIndex,
                                                     String128 name) {
    const ProgramList* list = getProgramList(listId);
    return list ? list->getProgramName(programIndex, name) : kResultFalse;
}

// No program attributes or pitch names are kept.
tresult PLUGIN_API EditControllerEx1::getProgramInfo(ProgramListID, int32, CString, String128) {
    return kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::hasProgramPitchNames(ProgramListID, int32) {
    return kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::getProgramPitchName(ProgramListID, int32, int16, String128) {
    return kResultFalse;
}

UnitID PLUGIN_API EditControllerEx1::getSelectedUnit() {
    return selectedUnit;
}

tresult PLUGIN_API EditControllerEx1::selectUnit(UnitID unitId) {
    selectedUnit = unitId;
    return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
    return kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::setUnitProgramData(int32, int32, IBStream*) {
    return kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IUnitInfo::iid))
        return answer<IUnitInfo>(this, obj);
    return EditController::queryInterface(_iid, obj);
}

} // namespace Steinberg::Vst
