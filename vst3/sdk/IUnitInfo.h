// Units (parameter groups) and program lists.
#pragma once

#include "vst3/sdk/IBStream.h"
#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

inline constexpr UnitID kRootUnitId = 0;
inline constexpr UnitID kNoParentUnitId = -1;
inline constexpr ProgramListID kNoProgramListId = -1;
inline constexpr int32 kAllProgramInvalid = -1;

#pragma pack(push, 16)

struct UnitInfo {
    UnitID id;
    UnitID parentUnitId;
    String128 name;
    ProgramListID programListId;
};

struct ProgramListInfo {
    ProgramListID id;
    String128 name;
    int32 programCount;
};

class IUnitInfo : public FUnknown {
  public:
    virtual int32 PLUGIN_API getUnitCount() = 0;
    virtual tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
    virtual int32 PLUGIN_API getProgramListCount() = 0;
    virtual tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
    virtual tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                              String128 name) = 0;
    virtual tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex,
                                              CString attributeId, String128 attributeValue) = 0;
    virtual tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
    virtual tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                   int16 midiPitch, String128 name) = 0;
    virtual UnitID PLUGIN_API getSelectedUnit() = 0;
    virtual tresult PLUGIN_API selectUnit(UnitID unitId) = 0;
    virtual tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex,
                                            int32 channel, UnitID& unitId) = 0;
    virtual tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                                  IBStream* data) = 0;

    static constexpr FUID iid{0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1};
};

class IProgramListData : public FUnknown {
  public:
    virtual tresult PLUGIN_API programDataSupported(ProgramListID listId) = 0;
    virtual tresult PLUGIN_API getProgramData(ProgramListID listId, int32 programIndex,
                                              IBStream* data) = 0;
    virtual tresult PLUGIN_API setProgramData(ProgramListID listId, int32 programIndex,
                                              IBStream* data) = 0;

    static constexpr FUID iid{0x8683B01F, 0x7B354F70, 0xA2651DEC, 0x353AF4FF};
};

class IUnitData : public FUnknown {
  public:
    virtual tresult PLUGIN_API unitDataSupported(UnitID unitId) = 0;
    virtual tresult PLUGIN_API getUnitData(UnitID unitId, IBStream* data) = 0;
    virtual tresult PLUGIN_API setUnitData(UnitID unitId, IBStream* data) = 0;

    static constexpr FUID iid{0x6C389611, 0xD391455D, 0xB870B833, 0x94A0EFDD};
};

#pragma pack(pop)

inline constexpr FUID IUnitHandler_iid{0x4B5147F8, 0x4654486B, 0x8DAB30BA, 0x163A3C56};

static_assert(sizeof(UnitInfo) == 268 && alignof(UnitInfo) == 4);
static_assert(offsetof(UnitInfo, id) == 0);
static_assert(offsetof(UnitInfo, parentUnitId) == 4);
static_assert(offsetof(UnitInfo, name) == 8);
static_assert(offsetof(UnitInfo, programListId) == 264);

static_assert(sizeof(ProgramListInfo) == 264 && alignof(ProgramListInfo) == 4);
static_assert(offsetof(ProgramListInfo, id) == 0);
static_assert(offsetof(ProgramListInfo, name) == 4);
static_assert(offsetof(ProgramListInfo, programCount) == 260);

} // namespace Steinberg::Vst
