#include "lice/LICE_IBitmap.h"

// Defined out of line so that the vtable is emitted in one place.
LICE_IBitmap::~LICE_IBitmap() = default;
