#include "button_test_support.h"

#include "ui/widgets/system_button.h"

#include <QFontMetrics>
#include <QPainter>

namespace ft::widgets::testing {

QRect inkOfTextCell(const QFont& font, const QString& text)
{
    constexpr int kMargin = 40;
    QImage blank(200, 100, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage written = blank;
    QPainter painter(&written);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, &written);
    painter.drawText(QPoint(kMargin, kMargin + metrics.ascent()), text);
    painter.end();
    return differenceBox(blank, written).translated(-kMargin, -kMargin);
}

std::optional<QFont> uiFontWithTextHeight(int height)
{
    QFont font = japaneseUiFont();
    for (int pixels = 6; pixels <= 40; ++pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() == height) {
            return font;
        }
    }
    return std::nullopt;
}

} // namespace ft::widgets::testing
