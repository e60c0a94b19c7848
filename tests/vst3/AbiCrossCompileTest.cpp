// Compiled twice: into the Linux test binary and, when mingw-w64 is present,
// for x86-64 Windows with -fsyntax-only. Every header must compile on both
// targets, and the Windows-only numbers are checked at compile time there.
#include "vst3/sdk/FTypes.h"
#include "vst3/sdk/FUID.h"
#include "vst3/sdk/FUnknown.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IBStream.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IComponentHandler.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IContextMenu.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IEvents.h"
#include "vst3/sdk/IHostApplication.h"
#include "vst3/sdk/IMessage.h"
#include "vst3/sdk/IParameterChanges.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPlugViewContentScaleSupport.h"
#include "vst3/sdk/IPluginBase.h"
#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/IProcessContextRequirements.h"
#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/IRunLoop.h"
#include "vst3/sdk/IUnitInfo.h"
#include "vst3/sdk/ModuleEntry.h"
#include "vst3/sdk/ProcessContext.h"
#include "vst3/sdk/ProcessData.h"
#include "vst3/sdk/SpeakerArrangement.h"
#include "vst3/sdk/StringConvert.h"
#include "vst3/sdk/VstTypes.h"

namespace {

using namespace Steinberg;

constexpr bool bytesAre(const UidBytes& b, const unsigned char (&expected)[16]) {
    for (int i = 0; i < 16; ++i)
        if (static_cast<unsigned char>(b.bytes[i]) != expected[i])
            return false;
    return true;
}

constexpr unsigned char kComponentCom[16] = {0x31, 0xFF, 0x31, 0xE8, 0xD5, 0xF2, 0x01, 0x43,
                                             0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};
constexpr unsigned char kComponentBigEndian[16] = {0xE8, 0x31, 0xFF, 0x31, 0xF2, 0xD5, 0x43, 0x01,
                                                   0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};

constexpr UidBytes kComponentWords = makeUidBytes(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);

#if defined(_WIN32)
static_assert(COM_COMPATIBLE == 1, "every _WIN32 build is COM compatible, mingw included");
static_assert(bytesAre(kComponentWords, kComponentCom), "Windows ids are in COM GUID order");
static_assert(static_cast<uint32>(kNoInterface) == 0x80004002u);
static_assert(static_cast<uint32>(kInvalidArgument) == 0x80070057u);
static_assert(static_cast<uint32>(kNotImplemented) == 0x80004001u);
static_assert(static_cast<uint32>(kInternalError) == 0x80004005u);
static_assert(static_cast<uint32>(kNotInitialized) == 0x8000FFFFu);
static_assert(static_cast<uint32>(kOutOfMemory) == 0x8007000Eu);
#else
static_assert(COM_COMPATIBLE == 0);
static_assert(bytesAre(kComponentWords, kComponentBigEndian), "Linux ids are big-endian");
static_assert(kNoInterface == -1 && kInvalidArgument == 2 && kNotImplemented == 3);
static_assert(kInternalError == 4 && kNotInitialized == 5 && kOutOfMemory == 6);
#endif
static_assert(kResultOk == 0 && kResultTrue == 0 && kResultFalse == 1);

} // namespace
