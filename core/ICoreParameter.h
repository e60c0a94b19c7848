#pragma once

#include "core/GrowBuffer.h"
#include "core/RelaxedDouble.h"

#include <cstdint>

enum ParamKind : int32_t {
    KindUnset = 0,
    KindBoolean = 1,
    KindInteger = 2,
    KindEnumerated = 3,
    KindContinuous = 4,
};

// A text shown instead of the number for one integer value.
struct DisplayTextEntry {
    int32_t value;
    char text[32];
};
static_assert(sizeof(DisplayTextEntry) == 36, "display texts are packed 36 bytes apart");

// One automatable value of the plug-in: its plain value, range, stepping and display rules.
// A plain record owned by the plug-in core; it has no lock of its own. Writers of the value hold
// the plug-in lock; readers on any thread (host value queries, display) need none, as the value
// is stored atomically.
class ICoreParameter {
  public:
    // Text fields hold at most this many characters plus the terminator; longer texts are cut.
    static constexpr int kMaxTextLength = 31;

    void DeclareContinuous(const char* name, double defaultValue, double minimum, double maximum,
                           double step, const char* label = "", const char* group = "",
                           double shape = 1.0);
    void DeclareInteger(const char* name, double defaultValue, double minimum, double maximum,
                        const char* label = "", const char* group = "");
    // Two states, 0 and 1, usually shown through display texts.
    void DeclareBoolean(const char* name, double defaultValue, const char* label = "",
                        const char* group = "");
    // Choices 0 .. count - 1, shown through display texts.
    void DeclareEnumerated(const char* name, int defaultValue, int count, const char* label = "",
                           const char* group = "");
    // A shape that is not a positive finite number is ignored (so is one given to a declaration).
    void SetShape(double newShape);
    // False when the text list could not grow.
    bool AppendDisplayText(int value, const char* text);

    double ToNormalised(double plain) const;
    double FromNormalised(double normalised) const;
    // Stepped for every kind but continuous, capped at the maximum. A normalised value that is
    // not finite, or maps to no plain value, leaves the value as it was.
    void SetFromNormalised(double normalised);
    double GetNormalised() const { return ToNormalised(value); }
    // The value limited to the range (below the minimum gives the minimum).
    double ClampToRange(double plain) const;

    // Writes the display text of the current value; `outSize` includes the terminator.
    void FormatValue(char* out, int outSize) const;
    // The display text of a plain value (the current value's rules applied to another value).
    void FormatPlain(double plain, char* out, int outSize) const;
    const char* DisplayLabel() const;
    double ParseEntry(const char* text) const;

    int DisplayTextCount() const;
    const DisplayTextEntry* DisplayTextAt(int index) const;
    // The first non-empty display text for `intValue`, or none.
    const char* DisplayTextFor(int32_t intValue) const;

    ParamKind kind = KindUnset;
    RelaxedDouble value = 0.0;
    double minimum = 0.0;
    double maximum = 1.0;
    double step = 1.0;
    double shape = 1.0;
    double defaultValue = 0.0;
    int32_t displayPrecision = 0;
    char name[32] = {};
    char label[32] = {};
    char group[32] = {};
    bool negateDisplay = false;
    bool automatable = true;
    GrowBuffer displayTexts{4096};
};

// Truncates a double toward zero into a 32-bit integer; values beyond the range saturate and
// NaN gives 0, where a plain cast would be undefined.
int32_t TruncateToInt32(double value);

// Copies at most size - 1 characters and always terminates.
void CopyText(char* destination, const char* source, int size);
