// Parameter, StringListParameter and ParameterContainer as a host sees them.
#include "vst3/sdk/ParameterContainer.h"
#include "vst3/sdk/StringListParameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::u16string text(const Parameter& p, ParamValue v) {
    String128 s;
    p.toString(v, s);
    return s;
}

bool parse(const Parameter& p, const char16_t* s, ParamValue& v) {
    return p.fromString(s, v);
}

} // namespace

TEST(SdkParameter, TitleConstructorAndValue) {
    std::u16string longTitle(200, u'T');
    const Parameter p(longTitle.c_str(), 42, u"dB", 2.0, 0, ParameterInfo::kCanAutomate, 3);
    const ParameterInfo& info = p.getInfo();
    EXPECT_EQ(info.id, 42u);
    EXPECT_EQ(std::u16string(info.title), std::u16string(127, u'T'))
        << "titles are cut to 127 units plus terminator";
    EXPECT_EQ(std::u16string(info.units), u"dB");
    EXPECT_EQ(info.shortTitle[0], 0) << "a null short title leaves the field empty";
    EXPECT_EQ(info.unitId, 3);
    EXPECT_EQ(info.defaultNormalizedValue, 2.0) << "the default is not clamped";
    EXPECT_EQ(p.getNormalized(), 2.0);

    Parameter q(u"Gain", 1);
    SCOPED_TRACE("setNormalized clamps and reports a change");
    EXPECT_TRUE(q.setNormalized(1.5));
    EXPECT_EQ(q.getNormalized(), 1.0);
    EXPECT_FALSE(q.setNormalized(7.0)) << "clamped to the same value: no change";
    EXPECT_TRUE(q.setNormalized(-3.0));
    EXPECT_EQ(q.getNormalized(), 0.0);
    EXPECT_FALSE(q.setNormalized(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(q.getNormalized(), 0.0);
}

TEST(SdkParameter, DefaultTextConversions) {
    Parameter continuous(u"Mix", 1);
    Parameter toggle(u"Power", 2, nullptr, 0., 1);
    {
        SCOPED_TRACE("numbers print with four decimals, unclamped");
        EXPECT_EQ(text(continuous, 0.25), u"0.2500");
        EXPECT_EQ(text(continuous, 1.5), u"1.5000");
        EXPECT_EQ(text(continuous, -0.2), u"-0.2000");
        continuous.setPrecision(1);
        EXPECT_EQ(text(continuous, 0.26), u"0.3");
        continuous.setPrecision(0);
        EXPECT_EQ(text(continuous, 0.6), u"1");
        continuous.setPrecision(500);
        EXPECT_EQ(text(continuous, 0.5).size(), 127u) << "long output is cut, not overrun";
    }
    {
        SCOPED_TRACE("a toggle prints On above one half");
        EXPECT_EQ(text(toggle, 0.5), u"Off");
        EXPECT_EQ(text(toggle, 0.5000001), u"On");
    }
    {
        SCOPED_TRACE("fromString reads a number as the normalized value");
        ParamValue v = -1;
        EXPECT_TRUE(parse(continuous, u"  12", v));
        EXPECT_EQ(v, 12.0) << "no clamping or conversion";
        v = 0.5;
        EXPECT_FALSE(parse(continuous, u"", v));
        EXPECT_FALSE(parse(continuous, u"abc", v));
        EXPECT_FALSE(parse(toggle, u"On", v)) << "texts are not numbers";
        EXPECT_FALSE(parse(continuous, u"nan", v));
        EXPECT_FALSE(parse(continuous, u"1e999", v)) << "non-finite results are refused";
        EXPECT_FALSE(continuous.fromString(nullptr, v));
        EXPECT_EQ(v, 0.5) << "a failed parse leaves the value alone";
    }
    EXPECT_EQ(continuous.toPlain(0.3), 0.3);
    EXPECT_EQ(continuous.toNormalized(7.0), 7.0);
}

TEST(SdkParameter, StringListEntries) {
    StringListParameter list(u"Type", 7);
    EXPECT_EQ(list.getInfo().flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
    {
        SCOPED_TRACE("no entries: empty text instead of a crash");
        EXPECT_EQ(list.getInfo().stepCount, -1);
        EXPECT_EQ(text(list, 0.7), u"");
        EXPECT_EQ(list.toPlain(0.7), 0.);
        EXPECT_EQ(list.toNormalized(1.), 0.);
    }
    list.appendString(u"Bell");
    list.appendString(u"Shelf");
    list.appendString(u"Notch");
    EXPECT_EQ(list.getInfo().stepCount, 2) << "step count = entries - 1";
    {
        SCOPED_TRACE("value to entry truncates toward zero");
        EXPECT_EQ(text(list, 0.), u"Bell");
        EXPECT_EQ(text(list, 0.333), u"Bell");
        EXPECT_EQ(text(list, 0.5), u"Shelf");
        EXPECT_EQ(text(list, 0.6666), u"Shelf");
        EXPECT_EQ(text(list, 0.67), u"Notch");
        EXPECT_EQ(text(list, 1.), u"Notch");
        EXPECT_EQ(list.toPlain(-0.2), 0.);
    }
    {
        SCOPED_TRACE("values far outside [0,1] still name an entry");
        EXPECT_EQ(text(list, -5.), u"Bell");
        EXPECT_EQ(text(list, 1e300), u"Notch");
        EXPECT_EQ(text(list, -1e300), u"Bell");
        EXPECT_EQ(text(list, std::nan("")), u"Bell");
    }
    {
        SCOPED_TRACE("fromString matches entries exactly");
        ParamValue v = -1;
        EXPECT_TRUE(parse(list, u"Notch", v));
        EXPECT_EQ(v, 1.0);
        EXPECT_TRUE(parse(list, u"Shelf", v));
        EXPECT_EQ(v, 0.5);
        EXPECT_FALSE(parse(list, u"shelf", v));
        EXPECT_FALSE(parse(list, u"1", v));
        EXPECT_EQ(v, 0.5);
    }
    EXPECT_TRUE(list.replaceString(1, u"Tilt"));
    EXPECT_EQ(text(list, 0.5), u"Tilt");
    EXPECT_FALSE(list.replaceString(3, u"x"));
    EXPECT_FALSE(list.replaceString(-1, u"x"));

    StringListParameter bypass(u"Bypass", 9, nullptr,
                               ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass);
    EXPECT_EQ(bypass.getInfo().flags, 0x10001) << "explicit flags are used as given";
}

TEST(SdkParameter, ContainerKeepsOrderAndLooksUpById) {
    ParameterContainer params;
    Parameter* a = params.addParameter(u"A", nullptr, 0, 0., ParameterInfo::kCanAutomate, 100);
    Parameter* b = params.addParameter(u"B");
    Parameter* c = params.addParameter(new StringListParameter(u"C", 5));
    EXPECT_EQ(params.addParameter(static_cast<const TChar*>(nullptr)), nullptr);
    EXPECT_EQ(params.addParameter(static_cast<Parameter*>(nullptr)), nullptr);
    ASSERT_EQ(params.getParameterCount(), 3);
    EXPECT_EQ(b->getInfo().id, 1u) << "no tag: the current count is the id";
    EXPECT_EQ(params.getParameterByIndex(0), a);
    EXPECT_EQ(params.getParameterByIndex(2), c);
    EXPECT_EQ(params.getParameterByIndex(3), nullptr);
    EXPECT_EQ(params.getParameterByIndex(-1), nullptr);
    EXPECT_EQ(params.getParameter(100), a);
    EXPECT_EQ(params.getParameter(5), c);
    EXPECT_EQ(params.getParameter(6), nullptr);

    SCOPED_TRACE("duplicates: the later one is found until it is removed");
    Parameter* a2 = params.addParameter(u"A again", nullptr, 0, 0., 0, 100);
    EXPECT_EQ(params.getParameterCount(), 4);
    EXPECT_EQ(params.getParameter(100), a2);
    EXPECT_TRUE(params.removeParameter(100));
    EXPECT_EQ(params.getParameter(100), a);

    SCOPED_TRACE("removal re-indexes the lookup of the parameters after it");
    EXPECT_TRUE(params.removeParameter(1));
    EXPECT_FALSE(params.removeParameter(1));
    EXPECT_EQ(params.getParameterCount(), 2);
    EXPECT_EQ(params.getParameter(5), c);
    EXPECT_EQ(params.getParameter(100), a);
    EXPECT_EQ(params.getParameterByIndex(1), c);
    params.removeAll();
    EXPECT_EQ(params.getParameterCount(), 0);
    EXPECT_EQ(params.getParameter(5), nullptr);
}
