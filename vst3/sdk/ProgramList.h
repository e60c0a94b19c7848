// A named list of programs announced through IUnitInfo.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IUnitInfo.h"

#include <string>
#include <vector>

namespace Steinberg::Vst {

class ProgramList : public FObject {
  public:
    ProgramList(const TChar* name, ProgramListID listId, UnitID unitId);

    // Returns the new program's index.
    int32 addProgram(const TChar* name);
    // False for an index outside the list.
    tresult getProgramName(int32 programIndex, String128 name) const;
    bool setProgramName(int32 programIndex, const TChar* name);

    // programCount follows the programs added.
    ProgramListInfo getInfo() const;
    ProgramListID getID() const { return info.id; }
    UnitID getUnitID() const { return unitId; }
    int32 getCount() const { return static_cast<int32>(names.size()); }

    FOBJECT_TYPE(ProgramList, FObject)

  private:
    ProgramListInfo info{};
    UnitID unitId;
    std::vector<std::u16string> names;
};

} // namespace Steinberg::Vst
