#include "core/ICoreParameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string Formatted(const ICoreParameter& parameter)
{
    char text[64];
    parameter.FormatValue(text, sizeof text);
    return text;
}

} // namespace

TEST(ICoreParameter, Declaration)
{
    {
        SCOPED_TRACE("the first declaration fixes the kind; a narrow range widens to one step");
        ICoreParameter integer;
        integer.DeclareInteger("SEL", 0, 3, 3.5);
        EXPECT_EQ(integer.maximum, 4.0);
        integer.DeclareContinuous("SEL", 0, 2, -5, 0.25);
        EXPECT_EQ(integer.kind, KindInteger) << "a later declaration replaced the kind";
        EXPECT_EQ(integer.maximum, 2.25);
    }
    {
        SCOPED_TRACE("display precision is the number of decimals the step needs, at most 6");
        const double steps[] = {1, 0.5, 0.1, 0.25, 0.05, 0.01, 0.125, 0.001, 1e-7, 1e-12};
        const int precisions[] = {0, 1, 1, 2, 2, 2, 3, 3, 6, 6};
        for (int i = 0; i < 10; ++i) {
            ICoreParameter parameter;
            parameter.DeclareContinuous("P", 0, 0, 1, steps[i]);
            EXPECT_EQ(parameter.displayPrecision, precisions[i]) << "step " << steps[i];
        }
    }
    {
        SCOPED_TRACE("texts are cut at 31 characters; a shape of 0 keeps the old shape");
        ICoreParameter parameter;
        const std::string longText(40, 'n');
        parameter.DeclareContinuous(longText.c_str(), 0, 0, 1, 0.1, longText.c_str(), longText.c_str(), 3.0);
        EXPECT_EQ(std::string(parameter.name), longText.substr(0, 31));
        EXPECT_EQ(std::string(parameter.label), longText.substr(0, 31));
        EXPECT_EQ(std::string(parameter.group), longText.substr(0, 31));
        parameter.DeclareContinuous("P", 0, 0, 1, 0.1, "", "", 0.0);
        EXPECT_EQ(parameter.shape, 3.0);
    }
}

TEST(ICoreParameter, Conversions)
{
    {
        SCOPED_TRACE("continuous values are not stepped; the middle of -18..18 is exactly 0");
        ICoreParameter gain;
        gain.DeclareContinuous("GAIN", 5, -18, 18, 0.01, "%");
        gain.SetFromNormalised(0.5);
        EXPECT_EQ(gain.value, 0.0);
        EXPECT_EQ(Formatted(gain), "0.00");
        gain.SetFromNormalised(0.123456);
        EXPECT_DOUBLE_EQ(gain.value, 0.123456 * 36 - 18);
    }
    {
        SCOPED_TRACE("integer 0..2: nearest step, halves upward");
        ICoreParameter selector;
        selector.DeclareInteger("SEL", 0, 0, 2);
        const double normalised[] = {0.24, 0.26, 0.74, 0.76, 1.0};
        const double stored[] = {0, 1, 1, 2, 2};
        for (int i = 0; i < 5; ++i) {
            selector.SetFromNormalised(normalised[i]);
            EXPECT_EQ(selector.value, stored[i]) << "normalised " << normalised[i];
        }
    }
    {
        SCOPED_TRACE("steps count from zero, not the minimum; only the upper cap applies");
        ICoreParameter offset;
        offset.DeclareInteger("OFF", 1, 0.5, 3.5);
        offset.SetFromNormalised(1.0);
        EXPECT_EQ(offset.value, 3.5);
        offset.DeclareInteger("OFF", 1, 0.4, 3.4);
        offset.SetFromNormalised(0.0);
        EXPECT_EQ(offset.value, 0.0);
    }
    {
        SCOPED_TRACE("shape 2 maps the middle a quarter of the way up and back; outside is 0 or 1");
        ICoreParameter shaped;
        shaped.DeclareContinuous("F", 0, 20, 100, 0.01, "", "", 2.0);
        EXPECT_DOUBLE_EQ(shaped.FromNormalised(0.5), 40.0);
        EXPECT_DOUBLE_EQ(shaped.ToNormalised(40.0), 0.5);
        shaped.SetShape(0.37);
        EXPECT_EQ(shaped.ToNormalised(-100), 0.0);
        EXPECT_EQ(shaped.ToNormalised(100.0000001), 1.0);
    }
    {
        SCOPED_TRACE("degenerate records and inputs never yield NaN or an infinity");
        ICoreParameter flat;
        flat.DeclareContinuous("FLAT", 1, 1, 1, 0.0);
        EXPECT_TRUE(std::isfinite(flat.ToNormalised(1.0))) << "zero-width range";
        ICoreParameter unstepped;
        unstepped.DeclareInteger("U", 0, 0, 2);
        unstepped.step = 0.0;
        unstepped.SetFromNormalised(0.5);
        EXPECT_EQ(unstepped.value, 1.0) << "step 0 on a stepped kind";
        unstepped.SetShape(-1.0);
        EXPECT_TRUE(std::isfinite(unstepped.ToNormalised(0.0))) << "negative shape";
        unstepped.SetFromNormalised(std::nan(""));
        EXPECT_EQ(unstepped.value, 1.0) << "a NaN normalised value changed the value";
        ICoreParameter root;
        root.DeclareContinuous("ROOT", 0, 0, 10, 0.01, "", "", 0.5);
        root.SetFromNormalised(-0.25);
        EXPECT_EQ(root.value, 0.0) << "a normalised value with no plain value changed the value";
    }
}

TEST(ICoreParameter, DisplayText)
{
    ICoreParameter gain;
    gain.DeclareContinuous("GAIN", -4.5, -18, 18, 0.01, "%");
    EXPECT_EQ(Formatted(gain), "-4.50");
    {
        SCOPED_TRACE("a negated zero keeps its minus sign in decimals, not as an integer");
        gain.negateDisplay = true;
        gain.value = 0.0;
        EXPECT_EQ(Formatted(gain), "-0.00");
        ICoreParameter flag;
        flag.DeclareInteger("FLAG", 0, 0, 1);
        flag.negateDisplay = true;
        EXPECT_EQ(Formatted(flag), "0");
    }
    {
        SCOPED_TRACE("display texts replace number and label; an empty one counts as absent");
        ICoreParameter mode;
        mode.DeclareInteger("MODE", 0, 0, 3, "dB");
        mode.AppendDisplayText(1, "On");
        mode.AppendDisplayText(2, "");
        mode.AppendDisplayText(2, "Later");
        mode.value = 1.9;
        EXPECT_EQ(Formatted(mode), "On") << "the value is truncated toward zero before lookup";
        EXPECT_STREQ(mode.DisplayLabel(), "");
        mode.value = 2;
        EXPECT_EQ(Formatted(mode), "2");
        EXPECT_STREQ(mode.DisplayLabel(), "dB");
    }
}

TEST(ICoreParameter, ParseEntry)
{
    ICoreParameter gain;
    gain.DeclareContinuous("GAIN", 0, -18, 18, 0.01);
    {
        SCOPED_TRACE("numbers: the leading number counts, no number is 0");
        EXPECT_EQ(gain.ParseEntry("12.5 dB"), 12.5);
        EXPECT_EQ(gain.ParseEntry("dB 12"), 0.0);
        EXPECT_EQ(gain.ParseEntry("nan"), 0.0);
        EXPECT_TRUE(std::isfinite(gain.ParseEntry("1e999"))) << "typed text produced an infinity";
        gain.negateDisplay = true;
        EXPECT_EQ(gain.ParseEntry("4.5"), -4.5);
    }
    {
        SCOPED_TRACE("boolean and enumerated: exact, case-sensitive text lookup");
        ICoreParameter choice;
        choice.DeclareEnumerated("CHOICE", 0, 3);
        choice.AppendDisplayText(1, "Mid");
        choice.AppendDisplayText(2, "High");
        EXPECT_EQ(choice.ParseEntry("High"), 2.0);
        EXPECT_EQ(choice.ParseEntry("high"), 0.0);
        EXPECT_EQ(choice.ParseEntry("2"), 0.0);
        ICoreParameter toggle;
        toggle.DeclareBoolean("TOGGLE", 0);
        toggle.AppendDisplayText(1, "On");
        EXPECT_EQ(toggle.ParseEntry("On"), 1.0);
    }
}
