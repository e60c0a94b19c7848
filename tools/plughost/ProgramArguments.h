#pragma once

#include <string>
#include <vector>

namespace plughost {

// The arguments after the program name, as UTF-8. On Windows they come from the wide command
// line, since `argv` there is in the ANSI code page and loses every other character.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace plughost
