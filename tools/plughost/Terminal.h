#pragma once

#include <cstdio>

namespace plughost {

// Whether `stream` is an interactive terminal (a console window on Windows), where a
// progress bar may redraw itself.
bool IsTerminal(std::FILE* stream);

// plughost prints UTF-8; a console that expects another code page is told so.
void UseUtf8Console();

} // namespace plughost
