#include "ui/widgets/tsk_btn_parts.h"

#include <QPainter>
#include <QWidget>

namespace ft::widgets {

TskBtnImage::TskBtnImage(QWidget& button) : m_button(button)
{
}

TskBtnImage& TskBtnImage::operator=(const TskBtnImage& other)
{
    if (this != &other) {
        m_settings = other.m_settings;
        repaintButton();
    }
    return *this;
}

void TskBtnImage::setBitmap(const QImage& bitmap)
{
    // A bitmap has no transparency of its own: only its colours are kept.
    m_settings.picture = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    m_settings.isIcon = false;
    repaintButton();
}

void TskBtnImage::setIcon(const QIcon& icon, const QSize& size)
{
    QImage rendered;
    if (!icon.isNull() && !size.isEmpty()) {
        rendered = QImage(size, QImage::Format_ARGB32);
        rendered.fill(Qt::transparent);
        QPainter painter(&rendered);
        icon.paint(&painter, QRect(QPoint(0, 0), size));
    }
    m_settings.picture = rendered;
    m_settings.isIcon = !rendered.isNull();
    repaintButton();
}

void TskBtnImage::clearPicture()
{
    m_settings.picture = QImage();
    m_settings.isIcon = false;
    repaintButton();
}

void TskBtnImage::setLeft(int left)
{
    const bool changed = m_settings.horzCenter || m_settings.left != left;
    m_settings.horzCenter = false;
    m_settings.left = left;
    if (changed) {
        repaintButton();
    }
}

void TskBtnImage::setTop(int top)
{
    const bool changed = m_settings.vertCenter || m_settings.top != top;
    m_settings.vertCenter = false;
    m_settings.top = top;
    if (changed) {
        repaintButton();
    }
}

void TskBtnImage::setVisible(bool visible)
{
    if (m_settings.visible != visible) {
        m_settings.visible = visible;
        repaintButton();
    }
}

void TskBtnImage::setTransParent(bool transParent)
{
    if (m_settings.transParent != transParent) {
        m_settings.transParent = transParent;
        repaintButton();
    }
}

void TskBtnImage::setVertCenter(bool vertCenter)
{
    const bool switchedOn = vertCenter && !m_settings.vertCenter;
    m_settings.vertCenter = vertCenter;
    if (switchedOn) {
        repaintButton();
    }
}

void TskBtnImage::setHorzCenter(bool horzCenter)
{
    const bool switchedOn = horzCenter && !m_settings.horzCenter;
    m_settings.horzCenter = horzCenter;
    if (switchedOn) {
        repaintButton();
    }
}

void TskBtnImage::storePaintedPosition(int left, int top)
{
    m_settings.left = left;
    m_settings.top = top;
}

void TskBtnImage::repaintButton()
{
    m_button.update();
}

TskBtnCaption::TskBtnCaption(QWidget& button) : m_button(button)
{
}

TskBtnCaption& TskBtnCaption::operator=(const TskBtnCaption& other)
{
    if (this != &other) {
        m_settings = other.m_settings;
        repaintButton();
    }
    return *this;
}

void TskBtnCaption::setCaption(const QString& caption)
{
    if (m_settings.caption != caption) {
        m_settings.caption = caption;
        repaintButton();
    }
}

void TskBtnCaption::setAlignment(TskBtnAlignment alignment)
{
    if (m_settings.alignment != alignment) {
        m_settings.alignment = alignment;
        repaintButton();
    }
}

void TskBtnCaption::setLeft(int left)
{
    if (m_settings.left != left) {
        m_settings.left = left;
        repaintButton();
    }
}

void TskBtnCaption::setRight(int right)
{
    if (m_settings.right != right) {
        m_settings.right = right;
        repaintButton();
    }
}

void TskBtnCaption::repaintButton()
{
    m_button.update();
}

} // namespace ft::widgets
