// Interface ids against the published words and the two platform byte orders.
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

#include <cstdio>
#include <string>

using namespace Steinberg;

namespace {

std::string hexBytes(const char* bytes) {
    std::string out;
    char two[3];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(bytes[i]));
        out += two;
    }
    return out;
}

struct KnownId {
    const char* name;
    const FUID& iid;
    uint32 words[4];
};

} // namespace

TEST(AbiIid, ByteOrderMatchesTheWorkedExamples) {
    {
        SCOPED_TRACE("IComponent, big-endian (Linux) order");
        const UidBytes b =
            makeUidBytes(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802, UidByteOrder::bigEndian);
        EXPECT_EQ(hexBytes(b.bytes), "E831FF31F2D54301928EBBEE25697802");
    }
    {
        SCOPED_TRACE("IComponent, COM (Windows) order");
        const UidBytes b =
            makeUidBytes(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802, UidByteOrder::com);
        EXPECT_EQ(hexBytes(b.bytes), "31FF31E8D5F20143928EBBEE25697802");
    }
    {
        SCOPED_TRACE("FUnknown equals IUnknown's GUID in both orders");
        for (UidByteOrder order : {UidByteOrder::bigEndian, UidByteOrder::com}) {
            const UidBytes b = makeUidBytes(0, 0, 0xC0000000, 0x00000046, order);
            EXPECT_EQ(hexBytes(b.bytes), "0000000000000000C000000000000046");
        }
    }
    {
        SCOPED_TRACE("the platform order is the one the interfaces use");
#if COM_COMPATIBLE
        EXPECT_EQ(hexBytes(Vst::IComponent::iid), "31FF31E8D5F20143928EBBEE25697802");
#else
        EXPECT_EQ(hexBytes(Vst::IComponent::iid), "E831FF31F2D54301928EBBEE25697802");
#endif
    }
}

TEST(AbiIid, EveryInterfaceCarriesItsPublishedId) {
    // clang-format off
    const KnownId ids[] = {
        {"FUnknown", FUnknown::iid, {0x00000000, 0x00000000, 0xC0000000, 0x00000046}},
        {"IPluginBase", IPluginBase::iid, {0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625}},
        {"IPluginFactory", IPluginFactory::iid, {0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F}},
        {"IPluginFactory2", IPluginFactory2::iid, {0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB}},
        {"IPluginFactory3", IPluginFactory3::iid, {0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931}},
        {"IComponent", Vst::IComponent::iid, {0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802}},
        {"IAudioProcessor", Vst::IAudioProcessor::iid, {0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D}},
        {"IEditController", Vst::IEditController::iid, {0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E}},
        {"IEditController2", Vst::IEditController2::iid, {0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038}},
        {"IUnitInfo", Vst::IUnitInfo::iid, {0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1}},
        {"IConnectionPoint", Vst::IConnectionPoint::iid, {0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1}},
        {"IMessage", Vst::IMessage::iid, {0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613}},
        {"IAttributeList", Vst::IAttributeList::iid, {0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4}},
        {"IPlugView", IPlugView::iid, {0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29}},
        {"IPlugFrame", IPlugFrame::iid, {0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3}},
        {"IComponentHandler", Vst::IComponentHandler::iid, {0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6}},
        {"IComponentHandler2", Vst::IComponentHandler2::iid, {0xF040B4B3, 0xA36045EC, 0xABCDC045, 0xB4D5A2CC}},
        {"IComponentHandler3", Vst::IComponentHandler3::iid, {0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB}},
        {"IContextMenu", Vst::IContextMenu::iid, {0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D}},
        {"IContextMenuTarget", Vst::IContextMenuTarget::iid, {0x3CDF2E75, 0x85D34144, 0xBF86D36B, 0xD7C4894D}},
        {"IBStream", IBStream::iid, {0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B}},
        {"ISizeableStream", ISizeableStream::iid, {0x04F9549E, 0xE02F4E6E, 0x87E86A87, 0x47F4E17F}},
        {"IParameterChanges", Vst::IParameterChanges::iid, {0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D}},
        {"IParamValueQueue", Vst::IParamValueQueue::iid, {0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA}},
        {"IEventList", Vst::IEventList::iid, {0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44}},
        {"IHostApplication", Vst::IHostApplication::iid, {0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5}},
        {"IProcessContextRequirements", Vst::IProcessContextRequirements::iid, {0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0}},
        {"IRunLoop", Linux::IRunLoop::iid, {0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389}},
        {"IEventHandler", Linux::IEventHandler::iid, {0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983}},
        {"ITimerHandler", Linux::ITimerHandler::iid, {0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9}},
        {"IPlugViewContentScaleSupport", IPlugViewContentScaleSupport::iid, {0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F}},
        {"IAudioPresentationLatency", Vst::IAudioPresentationLatency::iid, {0x309ECE78, 0xEB7D4FAE, 0x8B2225D9, 0x09FD08B6}},
        {"IProgramListData", Vst::IProgramListData::iid, {0x8683B01F, 0x7B354F70, 0xA2651DEC, 0x353AF4FF}},
        {"IUnitData", Vst::IUnitData::iid, {0x6C389611, 0xD391455D, 0xB870B833, 0x94A0EFDD}},
        {"IMidiMapping", Vst::IMidiMapping::iid, {0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5}},
        {"INoteExpressionController", Vst::INoteExpressionController_iid, {0xB7F8F859, 0x41234872, 0x91169581, 0x4F3721A3}},
        {"IDependent", IDependent_iid, {0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E}},
        {"IUnitHandler", Vst::IUnitHandler_iid, {0x4B5147F8, 0x4654486B, 0x8DAB30BA, 0x163A3C56}},
        {"IComponentHandlerBusActivation", Vst::IComponentHandlerBusActivation_iid, {0x067D02C1, 0x5B4E274D, 0xA92D90FD, 0x6EAF7240}},
        {"IStreamAttributes", IStreamAttributes_iid, {0xD6CE2FFC, 0xEFAF4B8C, 0x9E74F1BB, 0x12DA44B4}},
    };
    // clang-format on
    for (const KnownId& id : ids) {
        SCOPED_TRACE(id.name);
        const UidBytes expected = makeUidBytes(id.words[0], id.words[1], id.words[2], id.words[3]);
        EXPECT_EQ(hexBytes(id.iid), hexBytes(expected.bytes));
        EXPECT_EQ(id.iid.getLong1(), id.words[0]);
        EXPECT_EQ(id.iid.getLong2(), id.words[1]);
        EXPECT_EQ(id.iid.getLong3(), id.words[2]);
        EXPECT_EQ(id.iid.getLong4(), id.words[3]);
    }
}

TEST(AbiIid, TextFormIsTheFourWordsInHexOnEveryPlatform) {
    char text[33];
    Vst::IComponent::iid.toString(text);
    EXPECT_STREQ(text, "E831FF31F2D54301928EBBEE25697802");

    FUID parsed;
    EXPECT_TRUE(parsed.fromString("e831ff31f2d54301928ebbee25697802"));
    EXPECT_EQ(parsed, Vst::IComponent::iid);

    SCOPED_TRACE("malformed texts leave the id untouched");
    for (const char* bad : {"", "E831FF31", "E831FF31F2D54301928EBBEE2569780G",
                            "E831FF31F2D54301928EBBEE256978021"}) {
        FUID id = Vst::IAudioProcessor::iid;
        EXPECT_FALSE(id.fromString(bad)) << '"' << bad << '"';
        EXPECT_EQ(id, Vst::IAudioProcessor::iid);
    }
    EXPECT_FALSE(FUID().isValid());
    EXPECT_TRUE(FUnknown::iid.isValid());
}
