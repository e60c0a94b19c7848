#pragma once

// The editor's scale for a display of `dotsPerInch`, 96 being scale 1, kept within the
// scales the editor draws at (1 to 4). Anything that is not a positive number means 1.
double ScaleForDpi(double dotsPerInch);
