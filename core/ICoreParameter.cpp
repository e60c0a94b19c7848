#include "core/ICoreParameter.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// A shape exponent the conversions can use: a zero, negative or non-finite one would turn the
// ends of the range into infinities or NaN.
bool UsableShape(double shape) {
    return shape > 0.0 && std::isfinite(shape);
}

} // namespace

int32_t TruncateToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

void CopyText(char* destination, const char* source, int size) {
    if (!destination || size <= 0)
        return;
    int i = 0;
    if (source)
        for (; i < size - 1 && source[i]; ++i)
            destination[i] = source[i];
    destination[i] = '\0';
}

void ICoreParameter::DeclareContinuous(const char* newName, double newDefault, double newMinimum,
                                       double newMaximum, double newStep, const char* newLabel,
                                       const char* newGroup, double newShape) {
    if (kind == KindUnset)
        kind = KindContinuous;
    CopyText(name, newName, sizeof name);
    CopyText(label, newLabel, sizeof label);
    CopyText(group, newGroup, sizeof group);
    minimum = newMinimum;
    value = newDefault;
    step = newStep;
    defaultValue = newDefault;
    displayPrecision = 0;
    // A range narrower than one step is widened to exactly one step.
    maximum = newMinimum + newStep > newMaximum ? newMinimum + newStep : newMaximum;

    double x = newStep;
    do {
        if (std::floor(x) == x)
            break;
        ++displayPrecision;
        x *= 10.0;
    } while (displayPrecision < 6);

    if (UsableShape(newShape))
        shape = newShape;
}

void ICoreParameter::DeclareInteger(const char* newName, double newDefault, double newMinimum,
                                    double newMaximum, const char* newLabel, const char* newGroup) {
    if (kind == KindUnset)
        kind = KindInteger;
    DeclareContinuous(newName, newDefault, newMinimum, newMaximum, 1.0, newLabel, newGroup, 1.0);
}

void ICoreParameter::DeclareBoolean(const char* newName, double newDefault, const char* newLabel,
                                    const char* newGroup) {
    if (kind == KindUnset)
        kind = KindBoolean;
    DeclareContinuous(newName, newDefault, 0.0, 1.0, 1.0, newLabel, newGroup, 1.0);
}

void ICoreParameter::DeclareEnumerated(const char* newName, int newDefault, int count,
                                       const char* newLabel, const char* newGroup) {
    if (kind == KindUnset)
        kind = KindEnumerated;
    DeclareContinuous(newName, newDefault, 0.0, count > 1 ? count - 1 : 1, 1.0, newLabel, newGroup,
                      1.0);
}

void ICoreParameter::SetShape(double newShape) {
    if (UsableShape(newShape))
        shape = newShape;
}

bool ICoreParameter::AppendDisplayText(int entryValue, const char* text) {
    const int oldSize = displayTexts.Size();
    const int wanted = oldSize + static_cast<int>(sizeof(DisplayTextEntry));
    displayTexts.Resize(wanted, false);
    if (displayTexts.Size() != wanted)
        return false;
    DisplayTextEntry entry{};
    entry.value = entryValue;
    CopyText(entry.text, text, sizeof entry.text);
    std::memcpy(static_cast<char*>(displayTexts.Get()) + oldSize, &entry, sizeof entry);
    return true;
}

double ICoreParameter::ClampToRange(double plain) const {
    if (plain < minimum)
        return minimum;
    return plain > maximum ? maximum : plain;
}

double ICoreParameter::ToNormalised(double plain) const {
    const double range = maximum - minimum;
    // A zero-width range (declared with step 0) has only one value: the bottom.
    if (!(range > 0.0))
        return 0.0;
    const double v = ClampToRange(plain);
    return std::pow((v - minimum) / range, 1.0 / shape);
}

double ICoreParameter::FromNormalised(double normalised) const {
    return std::pow(normalised, shape) * (maximum - minimum) + minimum;
}

void ICoreParameter::SetFromNormalised(double normalised) {
    if (!std::isfinite(normalised))
        return;
    double v = FromNormalised(normalised);
    // A negative normalised value under a fractional shape names no plain value: keep the old.
    if (std::isnan(v))
        return;
    // Steps are counted from zero, not from the minimum; only the upper cap applies after.
    if (kind != KindContinuous && step > 0.0)
        v = std::floor(v / step + 0.5) * step;
    value = v < maximum ? v : maximum;
}

int ICoreParameter::DisplayTextCount() const {
    return displayTexts.Size() / static_cast<int>(sizeof(DisplayTextEntry));
}

const DisplayTextEntry* ICoreParameter::DisplayTextAt(int index) const {
    if (index < 0 || index >= DisplayTextCount())
        return nullptr;
    return static_cast<const DisplayTextEntry*>(displayTexts.Get()) + index;
}

const char* ICoreParameter::DisplayTextFor(int32_t intValue) const {
    const int count = DisplayTextCount();
    for (int i = 0; i < count; ++i) {
        const DisplayTextEntry* entry = DisplayTextAt(i);
        if (entry->value == intValue)
            return entry->text[0] ? entry->text : nullptr;
    }
    return nullptr;
}

void ICoreParameter::FormatPlain(double plain, char* out, int outSize) const {
    if (!out || outSize <= 0)
        return;
    if (const char* text = DisplayTextFor(TruncateToInt32(plain))) {
        CopyText(out, text, outSize);
        return;
    }
    const double x = negateDisplay ? -plain : plain;
    if (displayPrecision != 0)
        std::snprintf(out, static_cast<size_t>(outSize), "%.*f", displayPrecision, x);
    else
        std::snprintf(out, static_cast<size_t>(outSize), "%d", TruncateToInt32(x));
}

void ICoreParameter::FormatValue(char* out, int outSize) const {
    FormatPlain(value, out, outSize);
}

const char* ICoreParameter::DisplayLabel() const {
    return DisplayTextFor(TruncateToInt32(value)) ? "" : label;
}

double ICoreParameter::ParseEntry(const char* text) const {
    if (!text)
        return 0.0;
    if (kind == KindBoolean || kind == KindEnumerated) {
        const int count = DisplayTextCount();
        for (int i = 0; i < count; ++i) {
            const DisplayTextEntry* entry = DisplayTextAt(i);
            if (std::strcmp(entry->text, text) == 0)
                return entry->value;
        }
        return 0.0;
    }
    // Only a decimal number counts; strtod alone would also take "nan" and "inf".
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const char* digits = (*p == '+' || *p == '-') ? p + 1 : p;
    if (!std::isdigit(static_cast<unsigned char>(*digits)) && *digits != '.')
        return 0.0;
    double result = std::strtod(p, nullptr);
    if (std::isnan(result))
        result = 0.0;
    // Digits beyond the double range stay the largest finite number; the range clamps them.
    if (std::isinf(result))
        result = std::copysign(std::numeric_limits<double>::max(), result);
    return negateDisplay ? -result : result;
}
