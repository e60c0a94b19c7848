// Result codes and constants whose numeric values cross the boundary.
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/SpeakerArrangement.h"

#include <gtest/gtest.h>

using namespace Steinberg;

TEST(AbiResultCodes, PlatformValues) {
    EXPECT_EQ(kResultTrue, kResultOk) << "kResultTrue must alias kResultOk";
#if COM_COMPATIBLE
    EXPECT_EQ(kResultOk, 0);
    EXPECT_EQ(kResultFalse, 1);
    EXPECT_EQ(static_cast<uint32>(kNoInterface), 0x80004002u);
    EXPECT_EQ(static_cast<uint32>(kInvalidArgument), 0x80070057u);
    EXPECT_EQ(static_cast<uint32>(kNotImplemented), 0x80004001u);
    EXPECT_EQ(static_cast<uint32>(kInternalError), 0x80004005u);
    EXPECT_EQ(static_cast<uint32>(kNotInitialized), 0x8000FFFFu);
    EXPECT_EQ(static_cast<uint32>(kOutOfMemory), 0x8007000Eu);
#else
    const tresult expected[] = {-1, 0, 1, 2, 3, 4, 5, 6};
    const tresult actual[] = {kNoInterface,    kResultOk,      kResultFalse,    kInvalidArgument,
                              kNotImplemented, kInternalError, kNotInitialized, kOutOfMemory};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(actual[i], expected[i]) << "result code #" << i;
#endif
}

TEST(AbiResultCodes, SpeakerArrangementChannelCounts) {
    using namespace Vst;
    EXPECT_EQ(SpeakerArr::kMono, 0x80000u);
    EXPECT_EQ(SpeakerArr::kStereo, 0x3u);
    EXPECT_EQ(SpeakerArr::k51, 0x3Fu);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kMono), 1);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kStereo), 2);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::k51), 6);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kEmpty), 0);
    EXPECT_EQ(SpeakerArr::getChannelCount(~0ull), 64);
}

TEST(AbiResultCodes, FactoryRecordsAlwaysTerminateTheirTexts) {
    char longText[300];
    for (char& c : longText)
        c = 'x';
    longText[299] = 0;
    const PFactoryInfo info(longText, longText, longText, PFactoryInfo::kNoFlags);
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode) << "kUnicode is always announced";
    EXPECT_EQ(info.vendor[PFactoryInfo::kNameSize - 1], 0);
    EXPECT_EQ(info.url[PFactoryInfo::kURLSize - 1], 0);
    EXPECT_EQ(info.email[PFactoryInfo::kEmailSize - 1], 0);
    EXPECT_EQ(info.vendor[PFactoryInfo::kNameSize - 2], 'x');

    const PClassInfo2 ci2(Vst::IComponent::iid, PClassInfo::kManyInstances, longText,
                          "S\xC3\xB6rvel", 0, longText, nullptr, "3.0.0", Vst::kVstVersionString);
    EXPECT_EQ(ci2.category[PClassInfo::kCategorySize - 1], 0);
    EXPECT_EQ(ci2.subCategories[PClassInfo2::kSubCategoriesSize - 1], 0);
    EXPECT_EQ(ci2.vendor[0], 0) << "a null text leaves the field empty";

    PClassInfoW wide;
    wide.fromAscii(ci2);
    SCOPED_TRACE("widening sign-extends each byte without decoding");
    EXPECT_EQ(wide.name[0], u'S');
    EXPECT_EQ(wide.name[1], char16(0xFFC3));
    EXPECT_EQ(wide.name[2], char16(0xFFB6));
    EXPECT_EQ(wide.name[3], u'r');
    EXPECT_EQ(wide.sdkVersion[4], u'3');
    EXPECT_TRUE(iidEqual(wide.cid, Vst::IComponent::iid));
}
