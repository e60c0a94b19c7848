// Vtable slot of every method against the published slot tables. Uses the
// Itanium representation of a pointer to virtual member (1 + byte offset in
// the vtable), which g++ uses on Linux and mingw alike.
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IComponentHandler.h"
#include "vst3/sdk/IConnectionPoint.h"
#include "vst3/sdk/IContextMenu.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IEvents.h"
#include "vst3/sdk/IHostApplication.h"
#include "vst3/sdk/IParameterChanges.h"
#include "vst3/sdk/IPlugView.h"
#include "vst3/sdk/IPlugViewContentScaleSupport.h"
#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/IProcessContextRequirements.h"
#include "vst3/sdk/IRunLoop.h"
#include "vst3/sdk/IUnitInfo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

template <class MemberFn> long slotOf(MemberFn fn) {
    static_assert(sizeof(MemberFn) == 2 * sizeof(void*));
    std::uintptr_t raw[2];
    std::memcpy(raw, &fn, sizeof raw);
    if ((raw[0] & 1) == 0)
        return -1; // not virtual
    return static_cast<long>((raw[0] - 1) / sizeof(void*));
}

} // namespace

#define EXPECT_SLOT(Interface, method, slot)                                                       \
    EXPECT_EQ(slotOf(&Interface::method), slot) << #Interface "::" #method

TEST(AbiVtable, BaseAndFactoryInterfaces) {
    EXPECT_SLOT(FUnknown, queryInterface, 0);
    EXPECT_SLOT(FUnknown, addRef, 1);
    EXPECT_SLOT(FUnknown, release, 2);
    EXPECT_SLOT(IPluginBase, initialize, 3);
    EXPECT_SLOT(IPluginBase, terminate, 4);
    EXPECT_SLOT(IPluginFactory, getFactoryInfo, 3);
    EXPECT_SLOT(IPluginFactory, countClasses, 4);
    EXPECT_SLOT(IPluginFactory, getClassInfo, 5);
    EXPECT_SLOT(IPluginFactory, createInstance, 6);
    EXPECT_SLOT(IPluginFactory2, getClassInfo2, 7);
    EXPECT_SLOT(IPluginFactory3, getClassInfoUnicode, 8);
    EXPECT_SLOT(IPluginFactory3, setHostContext, 9);
    EXPECT_SLOT(IBStream, read, 3);
    EXPECT_SLOT(IBStream, write, 4);
    EXPECT_SLOT(IBStream, seek, 5);
    EXPECT_SLOT(IBStream, tell, 6);
    EXPECT_SLOT(ISizeableStream, getStreamSize, 3);
    EXPECT_SLOT(ISizeableStream, setStreamSize, 4);
}

TEST(AbiVtable, ComponentAndProcessor) {
    EXPECT_SLOT(IComponent, getControllerClassId, 5);
    EXPECT_SLOT(IComponent, setIoMode, 6);
    EXPECT_SLOT(IComponent, getBusCount, 7);
    EXPECT_SLOT(IComponent, getBusInfo, 8);
    EXPECT_SLOT(IComponent, getRoutingInfo, 9);
    EXPECT_SLOT(IComponent, activateBus, 10);
    EXPECT_SLOT(IComponent, setActive, 11);
    EXPECT_SLOT(IComponent, setState, 12);
    EXPECT_SLOT(IComponent, getState, 13);
    EXPECT_SLOT(IAudioProcessor, setBusArrangements, 3);
    EXPECT_SLOT(IAudioProcessor, getBusArrangement, 4);
    EXPECT_SLOT(IAudioProcessor, canProcessSampleSize, 5);
    EXPECT_SLOT(IAudioProcessor, getLatencySamples, 6);
    EXPECT_SLOT(IAudioProcessor, setupProcessing, 7);
    EXPECT_SLOT(IAudioProcessor, setProcessing, 8);
    EXPECT_SLOT(IAudioProcessor, process, 9);
    EXPECT_SLOT(IAudioProcessor, getTailSamples, 10);
    EXPECT_SLOT(IProcessContextRequirements, getProcessContextRequirements, 3);
    EXPECT_SLOT(IAudioPresentationLatency, setAudioPresentationLatencySamples, 3);
    EXPECT_SLOT(IParamValueQueue, getParameterId, 3);
    EXPECT_SLOT(IParamValueQueue, getPointCount, 4);
    EXPECT_SLOT(IParamValueQueue, getPoint, 5);
    EXPECT_SLOT(IParamValueQueue, addPoint, 6);
    EXPECT_SLOT(IParameterChanges, getParameterCount, 3);
    EXPECT_SLOT(IParameterChanges, getParameterData, 4);
    EXPECT_SLOT(IParameterChanges, addParameterData, 5);
    EXPECT_SLOT(IEventList, getEventCount, 3);
    EXPECT_SLOT(IEventList, getEvent, 4);
    EXPECT_SLOT(IEventList, addEvent, 5);
}

TEST(AbiVtable, ControllerSide) {
    EXPECT_SLOT(IEditController, setComponentState, 5);
    EXPECT_SLOT(IEditController, setState, 6);
    EXPECT_SLOT(IEditController, getState, 7);
    EXPECT_SLOT(IEditController, getParameterCount, 8);
    EXPECT_SLOT(IEditController, getParameterInfo, 9);
    EXPECT_SLOT(IEditController, getParamStringByValue, 10);
    EXPECT_SLOT(IEditController, getParamValueByString, 11);
    EXPECT_SLOT(IEditController, normalizedParamToPlain, 12);
    EXPECT_SLOT(IEditController, plainParamToNormalized, 13);
    EXPECT_SLOT(IEditController, getParamNormalized, 14);
    EXPECT_SLOT(IEditController, setParamNormalized, 15);
    EXPECT_SLOT(IEditController, setComponentHandler, 16);
    EXPECT_SLOT(IEditController, createView, 17);
    EXPECT_SLOT(IEditController2, setKnobMode, 3);
    EXPECT_SLOT(IEditController2, openHelp, 4);
    EXPECT_SLOT(IEditController2, openAboutBox, 5);
    EXPECT_SLOT(IMidiMapping, getMidiControllerAssignment, 3);
    EXPECT_SLOT(IUnitInfo, getUnitCount, 3);
    EXPECT_SLOT(IUnitInfo, getUnitInfo, 4);
    EXPECT_SLOT(IUnitInfo, getProgramListCount, 5);
    EXPECT_SLOT(IUnitInfo, getProgramListInfo, 6);
    EXPECT_SLOT(IUnitInfo, getProgramName, 7);
    EXPECT_SLOT(IUnitInfo, getProgramInfo, 8);
    EXPECT_SLOT(IUnitInfo, hasProgramPitchNames, 9);
    EXPECT_SLOT(IUnitInfo, getProgramPitchName, 10);
    EXPECT_SLOT(IUnitInfo, getSelectedUnit, 11);
    EXPECT_SLOT(IUnitInfo, selectUnit, 12);
    EXPECT_SLOT(IUnitInfo, getUnitByBus, 13);
    EXPECT_SLOT(IUnitInfo, setUnitProgramData, 14);
    EXPECT_SLOT(IProgramListData, programDataSupported, 3);
    EXPECT_SLOT(IProgramListData, getProgramData, 4);
    EXPECT_SLOT(IProgramListData, setProgramData, 5);
    EXPECT_SLOT(IUnitData, unitDataSupported, 3);
    EXPECT_SLOT(IUnitData, getUnitData, 4);
    EXPECT_SLOT(IUnitData, setUnitData, 5);
    EXPECT_SLOT(IConnectionPoint, connect, 3);
    EXPECT_SLOT(IConnectionPoint, disconnect, 4);
    EXPECT_SLOT(IConnectionPoint, notify, 5);
    EXPECT_SLOT(IMessage, getMessageID, 3);
    EXPECT_SLOT(IMessage, setMessageID, 4);
    EXPECT_SLOT(IMessage, getAttributes, 5);
    EXPECT_SLOT(IAttributeList, setInt, 3);
    EXPECT_SLOT(IAttributeList, getInt, 4);
    EXPECT_SLOT(IAttributeList, setFloat, 5);
    EXPECT_SLOT(IAttributeList, getFloat, 6);
    EXPECT_SLOT(IAttributeList, setString, 7);
    EXPECT_SLOT(IAttributeList, getString, 8);
    EXPECT_SLOT(IAttributeList, setBinary, 9);
    EXPECT_SLOT(IAttributeList, getBinary, 10);
}

TEST(AbiVtable, HostCallbacksAndView) {
    EXPECT_SLOT(IComponentHandler, beginEdit, 3);
    EXPECT_SLOT(IComponentHandler, performEdit, 4);
    EXPECT_SLOT(IComponentHandler, endEdit, 5);
    EXPECT_SLOT(IComponentHandler, restartComponent, 6);
    EXPECT_SLOT(IComponentHandler2, setDirty, 3);
    EXPECT_SLOT(IComponentHandler2, requestOpenEditor, 4);
    EXPECT_SLOT(IComponentHandler2, startGroupEdit, 5);
    EXPECT_SLOT(IComponentHandler2, finishGroupEdit, 6);
    EXPECT_SLOT(IComponentHandler3, createContextMenu, 3);
    EXPECT_SLOT(IContextMenu, getItemCount, 3);
    EXPECT_SLOT(IContextMenu, getItem, 4);
    EXPECT_SLOT(IContextMenu, addItem, 5);
    EXPECT_SLOT(IContextMenu, removeItem, 6);
    EXPECT_SLOT(IContextMenu, popup, 7);
    EXPECT_SLOT(IContextMenuTarget, executeMenuItem, 3);
    EXPECT_SLOT(IHostApplication, getName, 3);
    EXPECT_SLOT(IHostApplication, createInstance, 4);
    EXPECT_SLOT(IPlugView, isPlatformTypeSupported, 3);
    EXPECT_SLOT(IPlugView, attached, 4);
    EXPECT_SLOT(IPlugView, removed, 5);
    EXPECT_SLOT(IPlugView, onWheel, 6);
    EXPECT_SLOT(IPlugView, onKeyDown, 7);
    EXPECT_SLOT(IPlugView, onKeyUp, 8);
    EXPECT_SLOT(IPlugView, getSize, 9);
    EXPECT_SLOT(IPlugView, onSize, 10);
    EXPECT_SLOT(IPlugView, onFocus, 11);
    EXPECT_SLOT(IPlugView, setFrame, 12);
    EXPECT_SLOT(IPlugView, canResize, 13);
    EXPECT_SLOT(IPlugView, checkSizeConstraint, 14);
    EXPECT_SLOT(IPlugFrame, resizeView, 3);
    EXPECT_SLOT(IPlugViewContentScaleSupport, setContentScaleFactor, 3);
    EXPECT_SLOT(Linux::IRunLoop, registerEventHandler, 3);
    EXPECT_SLOT(Linux::IRunLoop, unregisterEventHandler, 4);
    EXPECT_SLOT(Linux::IRunLoop, registerTimer, 5);
    EXPECT_SLOT(Linux::IRunLoop, unregisterTimer, 6);
    EXPECT_SLOT(Linux::IEventHandler, onFDIsSet, 3);
    EXPECT_SLOT(Linux::ITimerHandler, onTimer, 3);
}
