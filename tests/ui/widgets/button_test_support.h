#pragma once

// Shared helpers of the button tests: rendering a widget into an image and finding where
// text ink landed.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

namespace ft::widgets::testing {

inline QImage renderWidget(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor pixelAt(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Bounding box of the pixels that differ between two images of one size.
inline QRect differenceBox(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Where the ink of `text` lies relative to the top-left corner of its text cell, found by
// drawing it plainly on a large white image.
QRect inkOfTextCell(const QFont& font, const QString& text);

// The program's UI face at the pixel size whose text height is `height`, if one has it.
std::optional<QFont> uiFontWithTextHeight(int height);

} // namespace ft::widgets::testing
