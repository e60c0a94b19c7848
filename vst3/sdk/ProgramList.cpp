#include "vst3/sdk/ProgramList.h"

#include "vst3/sdk/StringConvert.h"

namespace Steinberg::Vst {

ProgramList::ProgramList(const TChar* name, ProgramListID listId, UnitID unit) : unitId(unit) {
    info.id = listId;
    strncpy16(info.name, name, 128);
}

int32 ProgramList::addProgram(const TChar* name) {
    names.emplace_back(name ? name : u"");
    return getCount() - 1;
}

tresult ProgramList::getProgramName(int32 programIndex, String128 name) const {
    if (name == nullptr || programIndex < 0 || programIndex >= getCount())
        return kResultFalse;
    strncpy16(name, names[static_cast<size_t>(programIndex)].c_str(), 128);
    return kResultTrue;
}

bool ProgramList::setProgramName(int32 programIndex, const TChar* name) {
    if (programIndex < 0 || programIndex >= getCount())
        return false;
    names[static_cast<size_t>(programIndex)].assign(name ? name : u"");
    return true;
}

ProgramListInfo ProgramList::getInfo() const {
    ProgramListInfo out = info;
    out.programCount = getCount();
    return out;
}

} // namespace Steinberg::Vst
