#pragma once
// Bitmaps as 24-bit pixel buffers for the portable image routines, pictures
// read from files, and the disabled look of button glyphs.
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/ImageOps.h"
#include "util/win/Handles.h"

#include <windows.h>

#include <string>

// The bitmap's pixels, 24 bits, rows top-down; empty for an invalid bitmap.
// The bitmap must not be selected into a DC.
TRGBImage BitmapToImage(HBITMAP bitmap);
// Writes the pixels back into a bitmap of the same size; false on a size mismatch.
bool ImageToBitmap(const TRGBImage& image, HBITMAP bitmap);
// A new 24-bit DIB section holding the pixels.
UniqueHBitmap CreateBitmapFromImage(const TRGBImage& image);

// The portable routines on a bitmap, in place.
void ImageToColorscale(HBITMAP bitmap, TColor baseColor, TColor mixColor, TColor skipColor);
// area's Right and Bottom are inclusive (two picked corner pixels).
TColor ImageAvgColor(HBITMAP bitmap, const Rect& area);

// A new 24-bit copy of a bitmap.
UniqueHBitmap GraphicToBitmap(HBITMAP bitmap);
// An icon at its own size drawn on background (24 bits keep no transparency).
UniqueHBitmap GraphicToBitmap(HICON icon, TColor background = clBtnFace);

// Any picture the Windows Imaging Component reads (BMP, PNG, JPEG, GIF, TIFF,
// ICO ...) as a 24-bit bitmap; transparent parts show background. Empty when
// the file cannot be read.
UniqueHBitmap FileToBitmap(const std::wstring& fileName, TColor background = clWhite);

// Our bitmap buttons show a two-image strip (BS_BITMAP with the left half, or
// an image list of two): the glyph, then its disabled look, which is the glyph
// recoloured in the button face's hue and mixed half with white. glyphCount
// says how many images the given strip holds already; with two or more the
// strip is left alone (empty result) unless force is set, which rebuilds the
// disabled image from the first one. Empty also for an invalid glyph.
UniqueHBitmap Btn_CreateDisabledGlyph(HBITMAP glyph, bool force, int glyphCount = 1);
