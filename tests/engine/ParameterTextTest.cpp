// Parameter texts are what hosts show, and what users type back: they must read the same on
// Linux and on Windows, whose C libraries format and parse numbers with their own code. Both
// are held to libstdc++'s correctly rounded conversions (std::to_chars and std::from_chars),
// which are one implementation on both systems.
#include "engine/Sorvel.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Reference(const ICoreParameter& parameter, double plain) {
    const double x = parameter.negateDisplay ? -plain : plain;
    char text[400];
    const std::to_chars_result end =
        parameter.displayPrecision != 0
            ? std::to_chars(text, text + sizeof text, x, std::chars_format::fixed,
                            parameter.displayPrecision)
            : std::to_chars(text, text + sizeof text, static_cast<int32_t>(std::trunc(x)));
    return std::string(text, end.ptr);
}

// Plain values across the range, plus exact binary halves of the last shown digit, where a
// C library that rounds its decimal expansion rather than the exact value shows another digit.
std::vector<double> Samples(const ICoreParameter& parameter) {
    std::vector<double> values;
    for (int i = 0; i <= 400; ++i)
        values.push_back(parameter.FromNormalised(i / 400.0));
    for (double v = std::floor(parameter.minimum); v <= parameter.maximum; v += 0.125)
        if (v >= parameter.minimum && values.size() < 2000)
            values.push_back(v);
    return values;
}

} // namespace

TEST(ParameterText, FormattingAndParsingMatchTheExactConversions) {
    Sorvel* plug = new Sorvel;
    for (int index = 0; index < plug->NParams(); ++index) {
        const ICoreParameter& parameter = *plug->GetParam(index);
        SCOPED_TRACE(parameter.name);
        for (double plain : Samples(parameter)) {
            if (parameter.DisplayTextFor(static_cast<int32_t>(std::trunc(plain))))
                continue;
            char text[64];
            parameter.FormatPlain(plain, text, sizeof text);
            const std::string expected = Reference(parameter, plain);
            ASSERT_EQ(text, expected) << "plain value " << plain;

            double exact = 0.0;
            std::from_chars(expected.data(), expected.data() + expected.size(), exact);
            if (parameter.negateDisplay)
                exact = -exact;
            ASSERT_EQ(parameter.ParseEntry(text), exact) << "typed text " << text;
        }
    }
    plug->release();
}
