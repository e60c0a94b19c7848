#pragma once

// The scale the X resource database asks for through "Xft.dpi" (what desktops set for their
// display scaling), 1 when it has no such entry.

// From the text of a resource database (lines of "name:\tvalue"); none counts as empty.
double ScaleFromResources(const char* resources);
// From the default display's database, read on a short connection of its own. User-interface
// thread.
double XftDpiScale();
