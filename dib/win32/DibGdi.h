// Bitmap files read into movable global blocks (DIB handles), their palettes and their drawing.
// Free functions; the caller owns the block and the palette object.
#ifndef KORVELT_DIB_WIN32_DIBGDI_H
#define KORVELT_DIB_WIN32_DIBGDI_H

#include "win/ScopedHandle.h"

#include <windows.h>

#include <string>

// A zero-filled movable block as long as the whole file, holding everything after the 14-byte
// file header; nothing held when the file is missing, not a bitmap file ("BM"), short, claims
// more colours or pixels than it holds, or memory is exhausted. Throws CDibFileException when
// the file exists but cannot be opened exclusively or read.
CScopedGlobal LoadDibFile(const std::string& strPath);

// Builds a logical palette from the bitmap's colour table and attaches it to palette.
// Nonzero when a palette was made; 0 without a bitmap, for a bitmap without colour table or
// when memory or the palette cannot be had (palette then holds nothing new).
int MakeDibPalette(HGLOBAL hDib, CScopedPalette& palette);

// Draws the rcSource part of the bitmap (in bitmap pixels, top-down) into rcDest: an unscaled
// copy when both have the same size, else stretched in COLORONCOLOR mode. With a palette
// object that holds a palette, it is selected as a background palette for the call (not
// realised). Returns the scan lines that the drawing call reports; 0 without a bitmap.
int DrawDib(HDC hDC, const RECT& rcDest, HGLOBAL hDib, const RECT& rcSource, const CScopedPalette* pPalette);

#endif
