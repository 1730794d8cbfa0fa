#pragma once

// The few Windows drawing primitives the owner-drawn button relies on, drawn with QPainter
// to the same pixels as the Windows classic look draws them. Each function names the
// primitive it stands for. Rectangles are given the Windows way: a QRect's left and top are
// the first pixel, left + width and top + height lie just outside (RECT's right and bottom).
// Every function draws whole pixels and expects a painter without antialiasing or transform
// (other than a device pixel ratio).

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <vector>

class QPainter;

namespace ft::widgets::win {

// System colours of the Windows classic ("Windows Standard") scheme.
QColor colorBtnFace();      // COLOR_BTNFACE, also COLOR_3DFACE
QColor colorBtnShadow();    // COLOR_BTNSHADOW
QColor colorBtnHighlight(); // COLOR_BTNHIGHLIGHT
QColor color3DDkShadow();   // COLOR_3DDKSHADOW
QColor color3DLight();      // COLOR_3DLIGHT
QColor colorWindowText();   // COLOR_WINDOWTEXT, the default font colour

// Border bits of DrawEdge and the edges made from them.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// Side and look flags of DrawEdge.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_FLAT = 0x4000;

// DrawEdge(hdc, &rect, edge, flags): up to two one-pixel rings, the outer one on the
// rectangle's border and the inner one just inside it. Left and top sides are drawn first,
// so the top-right and bottom-left corner pixels take the right/bottom colour. BF_FLAT
// draws the outer ring in COLOR_BTNSHADOW and the inner ring in COLOR_BTNFACE.
void drawEdge(QPainter& painter, const QRect& rect, unsigned edge, unsigned flags);

// FrameRect(hdc, &rect, solid brush): a one-pixel frame on the rectangle's border.
void frameRect(QPainter& painter, const QRect& rect, const QColor& color);

// DrawFocusRect(hdc, &rect): inverts every other pixel of the rectangle's border (the
// pixels whose x + y is even), so drawing it twice restores the picture.
void drawFocusRect(QPainter& painter, const QRect& rect);

// The pixels of the outline that RoundRect(hdc, left, top, right, bottom, e, e) draws with
// a one-pixel pen, in drawing order (clockwise, starting on the top edge where the top-left
// corner arc ends). The corners are quarter circles of diameter e rasterised with the
// midpoint rule; the arc is clamped so it fits the rectangle.
std::vector<QPoint> roundRectOutline(const QRect& rect, int ellipse);

// RoundRect with a hollow brush and a one-pixel pen. With `alternatePixels` the pen is the
// cosmetic PS_ALTERNATE pen of ExtCreatePen: every other pixel along the outline is set,
// starting with the first.
void drawRoundRect(QPainter& painter, const QRect& rect, int ellipse, const QColor& color,
                   bool alternatePixels);

// CreateRoundRectRgn(left, top, right, bottom, e, e). The region leaves out the right and
// bottom edge of its rectangle, so it covers exactly what RoundRect draws (outline and
// inside) on the rectangle one pixel smaller; this is why windows pass width + 1 and
// height + 1 to cover their whole client area.
QRegion roundRectRegion(const QRect& rect, int ellipse);

} // namespace ft::widgets::win
