#pragma once

class LICE_IBitmap;

// Decodes the module's embedded image `id` into a new bitmap owned by the caller. `name` only
// has to end in ".png" (any letter case); the id alone selects the image. None when the name,
// the id or the image data is not usable. Every window layer's LoadResourceImage slot uses it.
// Any thread.
LICE_IBitmap* LoadResourceImage(int id, const char* name);

// The width and height of the module's embedded image `id`, read from its header without
// decoding it. False when the module has no usable image of that id. Any thread.
bool ResourceImageSize(int id, int& width, int& height);

// Decodes the module's embedded image `id` under its own name, as LoadResourceImage would.
LICE_IBitmap* LoadModuleImage(int id);
