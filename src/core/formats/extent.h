#pragma once

namespace ft::formats {

// The running bounding box of the sheet outlines of one datum, in survey
// units (horizontal value x, vertical value y). Empty extents have the
// minimum above the maximum, so the first widening sets all four.
struct Extent {
    static constexpr double kEmptyMin = 2147483647.0;
    static constexpr double kEmptyMax = -2147483647.0;

    double qxmin = kEmptyMin;
    double qymin = kEmptyMin;
    double qxmax = kEmptyMax;
    double qymax = kEmptyMax;

    bool isEmpty() const { return qxmin > qxmax || qymin > qymax; }
    bool operator==(const Extent&) const = default;
};

} // namespace ft::formats
