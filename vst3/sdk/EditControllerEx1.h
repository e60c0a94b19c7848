// A controller with units and program lists (IUnitInfo).
#pragma once

#include "vst3/sdk/EditController.h"
#include "vst3/sdk/IUnitInfo.h"
#include "vst3/sdk/ProgramList.h"
#include "vst3/sdk/Unit.h"

#include <vector>

namespace Steinberg::Vst {

class EditControllerEx1 : public EditController, public IUnitInfo {
  public:
    // Take over the caller's reference; false for null.
    bool addUnit(Unit* unit);
    bool addProgramList(ProgramList* list);
    ProgramList* getProgramList(ProgramListID listId) const;

    // Also drops the units and program lists.
    tresult PLUGIN_API terminate() override;

    // Host UI thread. No unit exists unless the plug-in adds one, not even the root.
    int32 PLUGIN_API getUnitCount() override;
    tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) override;
    int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                      String128 name) override;
    tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex, CString attributeId,
                                      String128 attributeValue) override;
    tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) override;
    tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                           int16 midiPitch, String128 name) override;
    UnitID PLUGIN_API getSelectedUnit() override;
    tresult PLUGIN_API selectUnit(UnitID unitId) override;
    tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                    UnitID& unitId) override;
    tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                          IBStream* data) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(EditControllerEx1, EditController)

  protected:
    EditControllerEx1() = default;

  private:
    std::vector<IPtr<Unit>> units;
    std::vector<IPtr<ProgramList>> programLists;
    UnitID selectedUnit = kRootUnitId;
};

} // namespace Steinberg::Vst
