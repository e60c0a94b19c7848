#pragma once

#include "tools/plughost/CommandLine.h"
#include "tools/plughost/Status.h"

namespace plughost {

// The three subcommands. Reports go to stdout, the progress bar and warnings to stderr; a
// failure comes back as its one-line message.
Status RunInfo(const InfoOptions& options);
Status RunRender(const RenderOptions& options);
Status RunStateDump(const StateDumpOptions& options);

} // namespace plughost
