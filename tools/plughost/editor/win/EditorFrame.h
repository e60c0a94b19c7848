#pragma once

#include "tools/plughost/editor/ResizingFrame.h"

namespace plughost::editor {

// A Windows host's frame only resizes the tool's window: the editor runs its own timer on the
// window, so there is no run loop to offer.
using EditorFrame = ResizingFrame;

} // namespace plughost::editor
