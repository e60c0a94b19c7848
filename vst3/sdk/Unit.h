// A unit (parameter group) announced through IUnitInfo.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IUnitInfo.h"
#include "vst3/sdk/StringConvert.h"

namespace Steinberg::Vst {

class Unit : public FObject {
  public:
    Unit(const TChar* name, UnitID unitId, UnitID parentUnitId = kRootUnitId,
         ProgramListID programListId = kNoProgramListId) {
        info.id = unitId;
        info.parentUnitId = parentUnitId;
        info.programListId = programListId;
        strncpy16(info.name, name, 128);
    }

    const UnitInfo& getInfo() const { return info; }
    UnitID getID() const { return info.id; }

    FOBJECT_TYPE(Unit, FObject)

  private:
    UnitInfo info{};
};

} // namespace Steinberg::Vst
