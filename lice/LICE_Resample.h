#pragma once

#include "lice/BlitBitmap.h"
#include "lice/LICE_IBitmap.h"

// Resamples the rectangle `srcRect` of `src` to fill the rectangle of `dest` at (dstX, dstY)
// that is dstWidth x dstHeight, replacing its pixels. Each axis on its own: shrinking averages
// the area every output pixel covers, enlarging uses a Catmull-Rom cubic; an axis that keeps
// its length copies. Colours are weighted by their alpha, so transparent pixels lend no colour
// to their neighbours. Only pixels inside srcRect are read (its edge pixels repeat outwards),
// so neighbouring frames of a strip never bleed into each other.
//
// Integer arithmetic throughout: every system gives the same pixels. False, drawing nothing,
// when a rectangle is empty or not wholly inside its bitmap, or working memory is not there.
// Allocates its working rows; not for the audio thread. Any other thread.
bool LICE_Resample(LICE_IBitmap* dest, int dstX, int dstY, int dstWidth, int dstHeight,
                   LICE_IBitmap* src, const LICE_Rect& srcRect);
