#pragma once

// The drive stage's saturation curve: linear interpolation in the table chosen by the sign bit
// of x, holding the last entry beyond the table's end. A pure function of x.
double Saturate(double x);
