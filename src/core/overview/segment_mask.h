#pragma once

#include "core/overview/overview_window.h"

#include <QColor>

#include <cstdint>
#include <vector>

class QPainter;

namespace ft::overview {

// The outline segments of an overview, drawn as the painter draws a line
// with a pen two pixels wide and no antialiasing: every pixel whose centre
// lies within one pixel of the line from (x1, y1) to (x2, y2). The line is
// walked pixel by pixel and each pixel on it covers itself and its left,
// upper and upper-left neighbours, which is the painter's result for lines
// along the axes and the diagonals, and within one pixel of it otherwise; a
// line's end is square where the painter's pen would round it.
//
// The pixels are marked in a mask the size of the image, so drawing costs
// the same memory however many segments there are, and each segment costs
// only its own pixels. paintOnto() then puts every marked pixel on the
// canvas at once, over what it shows.
class SegmentMask {
public:
    SegmentMask(int width, int height);

    // Marks the line between two pixel positions (rounded already). Parts
    // outside the image are cut off; a line that misses it marks nothing,
    // and so does a line whose ends are one pixel.
    void addLine(PixelPoint from, PixelPoint to);

    // Paints the marked pixels in the colour at the painter's origin.
    void paintOnto(QPainter& canvas, const QColor& colour) const;

    bool isMarked(int x, int y) const;

private:
    void mark(int x, int y);

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_marks; // one per pixel, row by row
};

} // namespace ft::overview
