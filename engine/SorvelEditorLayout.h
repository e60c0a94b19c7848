#pragma once

class IGraphics;
class IPlugBase;

// The editor's fixed size in pixels.
inline constexpr int kSorvelEditorWidth = 1156;
inline constexpr int kSorvelEditorHeight = 456;
inline constexpr int kSorvelControlCount = 35;

// Builds Sorvel's editor for `plug`: the background, one control per parameter and the area
// that opens the product page, in the fixed order the control indices follow. The caller hands
// the result to the core with AttachEditor. User-interface thread (the plug-in constructor).
IGraphics* BuildSorvelEditor(IPlugBase* plug);
