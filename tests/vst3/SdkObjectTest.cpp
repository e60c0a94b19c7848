// FObject reference counting and type names, FUID and the text copies.
#include "vst3/sdk/AudioBus.h"
#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/StringConvert.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;

namespace {

class Probe : public FObject {
  public:
    explicit Probe(bool* destroyed) : destroyed(destroyed) {}
    ~Probe() override { *destroyed = true; }
    FOBJECT_TYPE(Probe, FObject)

  private:
    bool* destroyed;
};

} // namespace

TEST(SdkObject, ReferenceCountAndQueryInterface) {
    bool destroyed = false;
    auto* probe = new Probe(&destroyed);
    {
        SCOPED_TRACE("the creator holds the first reference");
        EXPECT_EQ(probe->getRefCount(), 1u);
        EXPECT_EQ(probe->addRef(), 2u);
        EXPECT_EQ(probe->release(), 1u);
    }
    {
        SCOPED_TRACE("FUnknown and FObject are answered with an added reference");
        void* obj = nullptr;
        ASSERT_EQ(probe->queryInterface(FUnknown::iid, &obj), kResultOk);
        EXPECT_EQ(obj, static_cast<FUnknown*>(probe));
        EXPECT_EQ(probe->getRefCount(), 2u);
        static_cast<FUnknown*>(obj)->release();
        ASSERT_EQ(probe->queryInterface(FObject::iid, &obj), kResultOk);
        EXPECT_EQ(obj, static_cast<FObject*>(probe));
        static_cast<FObject*>(obj)->release();
    }
    {
        SCOPED_TRACE("anything else nulls the out pointer and adds nothing");
        void* obj = probe;
        EXPECT_EQ(probe->queryInterface(Vst::IComponent::iid, &obj), kNoInterface);
        EXPECT_EQ(obj, nullptr);
        EXPECT_EQ(probe->queryInterface(nullptr, &obj), kNoInterface);
        EXPECT_EQ(probe->queryInterface(FUnknown::iid, nullptr), kInvalidArgument);
        EXPECT_EQ(probe->getRefCount(), 1u);
    }
    EXPECT_EQ(probe->release(), 0u);
    EXPECT_TRUE(destroyed) << "release to zero must delete the object";
}

TEST(SdkObject, TypeNamesFollowTheBaseChain) {
    Vst::AudioBus bus(u"In", Vst::kMain, 0, Vst::SpeakerArr::kStereo);
    EXPECT_STREQ(bus.isA(), "Vst::AudioBus");
    EXPECT_TRUE(bus.isA("Vst::AudioBus"));
    EXPECT_FALSE(bus.isA("Vst::Bus")) << "isA(name) must not ask the base classes";
    EXPECT_TRUE(bus.isTypeOf("Vst::Bus"));
    EXPECT_TRUE(bus.isTypeOf("FObject"));
    EXPECT_FALSE(bus.isTypeOf("Vst::Bus", false));
    EXPECT_FALSE(bus.isTypeOf("Vst::EventBus"));
    EXPECT_FALSE(bus.isTypeOf(nullptr));
    const FObject& asBase = bus;
    EXPECT_STREQ(asBase.isA(), "Vst::AudioBus") << "isA() is virtual";
}

TEST(SdkObject, FuidComparesAllSixteenBytes) {
    const FUID a(1, 2, 3, 4);
    const FUID b(1, 2, 3, 5);
    EXPECT_EQ(a, FUID(1, 2, 3, 4));
    EXPECT_NE(a, b);
    EXPECT_TRUE(a < b);
    TUID raw;
    b.toTUID(raw);
    EXPECT_EQ(FUID::fromTUID(raw), b);
    EXPECT_TRUE(iidEqual(raw, b));
    EXPECT_FALSE(iidEqual(raw, nullptr));
    EXPECT_EQ(FUID::fromTUID(nullptr), FUID()) << "a null id reads as all zeros";
}

TEST(SdkObject, TextCopiesConvertAndAlwaysTerminate) {
    {
        SCOPED_TRACE("8 to 16 bits sign-extends every byte");
        char16 wide[8];
        str8ToStr16(wide, "S\xC3\xB6", 8);
        EXPECT_EQ(wide[0], u'S');
        EXPECT_EQ(wide[1], char16(0xFFC3));
        EXPECT_EQ(wide[2], char16(0xFFB6));
        EXPECT_EQ(wide[3], 0);
    }
    {
        SCOPED_TRACE("16 to 8 bits keeps the low byte, so widening round-trips");
        char16 wide[8];
        str8ToStr16(wide, "\xE9t\xE9", 8);
        char8 back[8];
        str16ToStr8(back, wide, 8);
        EXPECT_STREQ(back, "\xE9t\xE9");
        const char16 beyondLatin1[] = {0x263A, 0x0141, 0};
        str16ToStr8(back, beyondLatin1, 8);
        EXPECT_EQ(static_cast<uint8>(back[0]), 0x3A);
        EXPECT_EQ(static_cast<uint8>(back[1]), 0x41);
    }
    {
        SCOPED_TRACE("a text that fills the field is cut by one and terminated");
        char16 wide[4] = {9, 9, 9, 9};
        str8ToStr16(wide, "abcdef", 4);
        EXPECT_EQ(std::u16string(wide), u"abc");
        char8 narrow[3] = {9, 9, 9};
        str16ToStr8(narrow, u"xyz", 3);
        EXPECT_STREQ(narrow, "xy");
        str8ToStr16(wide, nullptr, 4);
        EXPECT_EQ(wide[0], 0) << "null source gives an empty text";
        str8ToStr16(wide, "abc", 0); // nothing may be written
    }
    {
        SCOPED_TRACE("UTF-16 to UTF-8 keeps whole characters only");
        char8 utf8[16];
        utf16ToUtf8(utf8, u"A\u00E9\u263A\U0001F600", 16);
        EXPECT_STREQ(utf8, "A\xC3\xA9\xE2\x98\xBA\xF0\x9F\x98\x80");
        utf16ToUtf8(utf8, u"A\u263A", 4);
        EXPECT_STREQ(utf8, "A") << "a 3-byte character does not fit in 3 bytes plus terminator";
        const char16 lone[] = {0xD800, u'x', 0};
        utf16ToUtf8(utf8, lone, 16);
        EXPECT_STREQ(utf8, "\xEF\xBF\xBDx") << "a lone surrogate becomes U+FFFD";
    }
}
