#pragma once
// The raster operations the editor draws with. Each takes the destination raster first,
// clips to it, and does nothing for a null raster or a raster without pixels.
//
// Weights: every operation takes a float alpha and blends with the integer weight
// int(alpha · 256), limited to 0..256; weight 0 draws nothing. The mode word chooses the
// operator (LICE_PixelOps.h) and the flags of LICE_Types.h. A mode whose operator is not
// one of COPY, ADD, DODGE, MUL, OVERLAY, HSVADJ or a channel copy draws nothing.

#include "LICE_Bitmap.h"
#include "LICE_Types.h"

// Copies srcw × srch pixels from (srcx, srcy) of src to (dstx, dsty) of dest.
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy,
               int srcw, int srch, float alpha, int mode);
// The same with a source rectangle (null: all of src). A source rectangle reaching past the
// source's left or top edge moves the destination right or down; one starting left of or
// above the destination cuts the source instead. COPY at alpha 1.0 copies whole rows; COPY
// at exactly 0.5 mixes whole words (each byte (s >> 1) + (d >> 1)).
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, const RECT* srcRect,
               float alpha, int mode);

// Draws the source area (srcx, srcy, srcw, srch) into the destination rectangle turned by
// angle radians clockwise, stepping through the source in 16.16 fixed point. The centre of
// the destination rectangle shows the source point (srcx + srcw/2 + rotXCentre,
// srcy + srch/2 + rotYCentre); each destination pixel samples the source at its top-left
// corner. LICE_BLIT_FILTER_BILINEAR interpolates between the four pixels around the sample
// point; destination pixels whose sample falls outside the source (or outside the source
// area, with clipToSourceRect) are left as they are. Negative dstw or dsth mirror.
void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                      float srcx, float srcy, float srcw, float srch, float angle,
                      bool clipToSourceRect, float alpha, int mode, float rotXCentre,
                      float rotYCentre);
// Stretches the source area onto the destination rectangle: the rotated blit at angle 0,
// clipped to the source area.
void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                     float srcx, float srcy, float srcw, float srch, float alpha, int mode);

// Resizes dest to the size of src and copies it.
void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src);
// Every pixel p of the clipped rectangle becomes (p & mask) | orBits.
void LICE_ClearRect(LICE_IBitmap* bitmap, int x, int y, int w, int h, LICE_pixel mask = 0,
                    LICE_pixel orBits = 0);
// Fills with the colour. LICE_BLIT_USE_ALPHA multiplies alpha by the colour's alpha byte /
// 255 (the operator itself then works without source alpha). COPY at weight 256 stores the
// colour word; at 192, 128 and 64 it mixes whole words with shifts (each byte may come out
// one below the COPY formula); other weights use the COPY formula on all four bytes.
void LICE_FillRect(LICE_IBitmap* bitmap, int x, int y, int w, int h, LICE_pixel color, float alpha,
                   int mode);
// Both end points included. Without aa one pixel per step of the longer axis (Bresenham,
// clipped without moving a pixel); with aa each step splits its weight between the two
// pixels nearest the ideal line in proportion to their distance from it.
void LICE_Line(LICE_IBitmap* bitmap, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha,
               int mode, bool aa);
void LICE_PutPixel(LICE_IBitmap* bitmap, int x, int y, LICE_pixel color, float alpha, int mode);
// 0 for a null raster or a point outside it.
LICE_pixel LICE_GetPixel(LICE_IBitmap* bitmap, int x, int y);

// Shapes. Centres and corners are pixel coordinates (a pixel's centre is its integer
// position); angles are radians clockwise from twelve o'clock, as for the editor's radial
// lines. Outlines are one pixel wide: without aa the pixels whose centres lie within half a
// pixel of the curve, with aa every pixel within one pixel of it weighted by its closeness.
// Each pixel is drawn once, so partial weights do not pile up.
void LICE_Arc(LICE_IBitmap* bitmap, float cx, float cy, float r, float minAngle, float maxAngle,
              LICE_pixel color, float alpha, int mode, bool aa);
void LICE_Circle(LICE_IBitmap* bitmap, float cx, float cy, float r, LICE_pixel color, float alpha,
                 int mode, bool aa);
// Pixels whose centres are at most r from the centre; with aa the edge is weighted by
// coverage, r + 0.5 − distance.
void LICE_FillCircle(LICE_IBitmap* bitmap, float cx, float cy, float r, LICE_pixel color,
                     float alpha, int mode, bool aa);
// The outline from (x, y) to (x + w, y + h), both included, with quarter circles of the
// given radius in the corners.
void LICE_RoundRect(LICE_IBitmap* bitmap, float x, float y, float w, float h, int radius,
                    LICE_pixel color, float alpha, int mode, bool aa);
// Pixels whose centres lie inside the polygon or on its edges; vertices are pixel
// centres. A polygon that is not convex is filled between its outermost edges on each row.
void LICE_FillTriangle(LICE_IBitmap* bitmap, int x1, int y1, int x2, int y2, int x3, int y3,
                       LICE_pixel color, float alpha, int mode);
void LICE_FillConvexPolygon(LICE_IBitmap* bitmap, const int* x, const int* y, int n,
                            LICE_pixel color, float alpha, int mode);
