#include "ui/widgets/tsk_button.h"

#include "ui/widgets/win_draw.h"

#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcut>

namespace ft::widgets {

namespace {

constexpr int kDefaultWidth = 75;
constexpr int kDefaultHeight = 26;
constexpr int kRoundCorner = 7;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isRoundStyle(TskButtonStyle style)
{
    return style == TskButtonStyle::bsRoundRect || style == TskButtonStyle::bsRoundRectNoFrame;
}

} // namespace

TskButton::TskButton(QWidget* parent)
    : QWidget(parent), m_color(win::colorBtnFace()), m_fontColor(win::colorWindowText()),
      m_image(*this), m_captionA(*this), m_captionB(*this)
{
    // The paint covers every pixel, so the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDefaultWidth, kDefaultHeight);

    // Escape reaches a Cancel button wherever the focus is in its window, the way a dialog
    // key does; a shortcut of the window sees it before the focused control.
    m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_cancelShortcut->setContext(Qt::WindowShortcut);
    connect(m_cancelShortcut, &QShortcut::activated, this, &TskButton::onCancelKey);
    // Two Cancel buttons on one window take Escape in turn instead of blocking each other.
    connect(m_cancelShortcut, &QShortcut::activatedAmbiguously, this, &TskButton::onCancelKey);
    updateCancelShortcut();
    updateFocusPolicy();
}

TskButton::~TskButton() = default;

void TskButton::setButtonStyle(TskButtonStyle style)
{
    m_buttonStyle = style;
    updateWindowRegion();
    update();
}

void TskButton::setFlatFrameType(TskBtnFrameType frameType)
{
    if (m_flatFrameType != frameType) {
        m_flatFrameType = frameType;
        update();
    }
}

void TskButton::setCancel(bool cancel)
{
    if (m_cancel != cancel) {
        m_cancel = cancel;
        updateCancelShortcut();
        update();
    }
}

void TskButton::setModalResult(int modalResult)
{
    if (m_modalResult != modalResult) {
        m_modalResult = modalResult;
        update();
    }
}

void TskButton::setGradation(bool gradation)
{
    if (gradation) {
        m_parentColor = false;
    }
    if (m_gradation != gradation) {
        m_gradation = gradation;
        update();
    }
}

void TskButton::setGradBeginColor(const QColor& color)
{
    if (m_gradBeginColor != color) {
        m_gradBeginColor = color;
        update();
    }
}

void TskButton::setGradEndColor(const QColor& color)
{
    if (m_gradEndColor != color) {
        m_gradEndColor = color;
        update();
    }
}

QColor TskButton::color() const
{
    const QWidget* parent = parentWidget();
    if (m_parentColor && parent != nullptr) {
        return parent->palette().color(parent->backgroundRole());
    }
    return m_color;
}

void TskButton::setColor(const QColor& color)
{
    const bool changed = m_parentColor || m_color != color;
    m_parentColor = false;
    m_color = color;
    if (changed) {
        update();
    }
}

void TskButton::setParentColor(bool parentColor)
{
    if (m_parentColor != parentColor) {
        m_parentColor = parentColor;
        update();
    }
}

void TskButton::setFontColor(const QColor& color)
{
    if (m_fontColor != color) {
        m_fontColor = color;
        update();
    }
}

void TskButton::setTakesFocus(bool hasFocus)
{
    if (m_hasFocus != hasFocus) {
        m_hasFocus = hasFocus;
        updateFocusPolicy();
        updateCancelShortcut();
        update();
    }
}

void TskButton::setTabStop(bool tabStop)
{
    if (m_tabStop != tabStop) {
        m_tabStop = tabStop;
        updateFocusPolicy();
    }
}

void TskButton::setDisableImage(bool disableImage)
{
    if (m_disableImage != disableImage) {
        m_disableImage = disableImage;
        update();
    }
}

void TskButton::setCaptionLineSpace(int lineSpace)
{
    if (m_captionLineSpace != lineSpace) {
        m_captionLineSpace = lineSpace;
        update();
    }
}

void TskButton::setCaptionTop(int top)
{
    const bool changed = m_captionVertCenter || m_captionTop != top;
    m_captionVertCenter = false;
    m_captionTop = top;
    if (changed) {
        update();
    }
}

void TskButton::setCaptionVertCenter(bool center)
{
    const bool switchedOn = center && !m_captionVertCenter;
    m_captionVertCenter = center;
    if (switchedOn) {
        update();
    }
}

void TskButton::click()
{
    setPressed(false);
    // A click handler may close and destroy the window this button sits on.
    const QPointer<TskButton> alive(this);
    applyModalResult();
    if (alive) {
        emit clicked();
    }
    if (alive) {
        update();
    }
}

ButtonFaceState TskButton::faceState() const
{
    ButtonFaceState state;
    state.size = size();
    state.style = m_buttonStyle;
    state.frameType = m_flatFrameType;
    state.gradation = m_gradation;
    state.gradBeginColor = m_gradBeginColor;
    state.gradEndColor = m_gradEndColor;
    state.color = color();
    state.pressed = m_pressed;
    state.focused = hasFocus();
    state.hasFocus = m_hasFocus;
    state.enabled = isEnabled();
    state.disableImage = m_disableImage;
    state.picture = m_image.settings();
    state.captionA = m_captionA.settings();
    state.captionB = m_captionB.settings();
    state.captionLineSpace = m_captionLineSpace;
    state.captionTop = m_captionTop;
    state.captionVertCenter = m_captionVertCenter;
    state.font = font();
    state.fontColor = m_fontColor;
    return state;
}

QSize TskButton::sizeHint() const
{
    return {kDefaultWidth, kDefaultHeight};
}

void TskButton::paintEvent(QPaintEvent* /*event*/)
{
    // Drawn off-screen first, then copied in one piece, so the button never flickers.
    const qreal ratio = devicePixelRatioF();
    QImage face(size() * ratio, QImage::Format_RGB32);
    face.setDevicePixelRatio(ratio);
    ButtonFaceOutcome outcome;
    {
        QPainter facePainter(&face);
        outcome = paintButtonFace(facePainter, faceState());
    }
    if (m_captionVertCenter) {
        m_captionTop = outcome.captionTop;
    }
    m_image.storePaintedPosition(outcome.pictureLeft, outcome.pictureTop);

    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), face);
}

void TskButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateWindowRegion();
}

void TskButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The focus has already moved here when the button takes it (its focus policy).
    m_mouseHeld = true;
    m_pointerInside = true;
    setPressed(true);
}

void TskButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool heldHere = m_mouseHeld;
    m_mouseHeld = false;
    setPressed(false);
    if (heldHere && rect().contains(event->position().toPoint())) {
        click();
    }
}

void TskButton::mouseMoveEvent(QMouseEvent* event)
{
    // While the button holds the mouse the toolkit reports leaving only after the release,
    // so crossing the edge is followed here.
    if (m_mouseHeld) {
        const QPoint position = event->position().toPoint();
        const bool inside = rect().contains(position);
        if (inside && !m_pointerInside) {
            pointerEntered(position);
        } else if (!inside && m_pointerInside) {
            pointerLeft(position);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void TskButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    // The second press of a double click presses the button again, so it clicks again.
    mousePressEvent(event);
}

void TskButton::enterEvent(QEnterEvent* event)
{
    if (!m_pointerInside) {
        pointerEntered(event->position().toPoint());
    }
    QWidget::enterEvent(event);
}

void TskButton::leaveEvent(QEvent* event)
{
    if (m_pointerInside) {
        pointerLeft(mapFromGlobal(QCursor::pos()));
    }
    QWidget::leaveEvent(event);
}

void TskButton::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event->key())) {
        // Enter on the focused button clicks it, whatever modifier is held.
        event->accept();
        click();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        event->accept(); // Space does nothing on these buttons, and goes nowhere else
        return;
    }
    QWidget::keyPressEvent(event);
}

void TskButton::keyReleaseEvent(QKeyEvent* event)
{
    if (isEnterKey(event->key())) {
        event->accept();
        setPressed(false);
        return;
    }
    if (event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TskButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TskButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TskButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        if (m_parentColor) {
            update();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TskButton::setPressed(bool pressed)
{
    if (m_pressed != pressed) {
        m_pressed = pressed;
        update();
    }
}

void TskButton::pointerEntered(QPoint position)
{
    m_pointerInside = true;
    if (m_mouseHeld) {
        update(); // back over the button while holding the mouse: it stays released
    }
    emit mouseEntered(position);
}

void TskButton::pointerLeft(QPoint position)
{
    m_pointerInside = false;
    setPressed(false);
    emit mouseLeft(position);
}

void TskButton::applyModalResult()
{
    auto* dialog = qobject_cast<QDialog*>(window());
    if (dialog == nullptr || m_modalResult == 0) {
        return; // 0 leaves the window open
    }
    if (dialog->isModal() && dialog->isVisible()) {
        dialog->done(m_modalResult);
    } else {
        dialog->setResult(m_modalResult); // a window that is not modal only keeps the result
    }
}

void TskButton::onCancelKey()
{
    if (m_cancel && m_hasFocus && isEnabled() && isVisible()) {
        click();
    }
}

void TskButton::updateFocusPolicy()
{
    if (!m_hasFocus) {
        setFocusPolicy(Qt::NoFocus);
        if (hasFocus()) {
            clearFocus();
        }
        return;
    }
    setFocusPolicy(m_tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TskButton::updateCancelShortcut()
{
    m_cancelShortcut->setEnabled(m_cancel && m_hasFocus);
}

void TskButton::updateWindowRegion()
{
    if (isRoundStyle(m_buttonStyle)) {
        // The region leaves out its own right and bottom edge, hence width + 1 and
        // height + 1: the whole client area is kept except the cut-off corners.
        setMask(win::roundRectRegion(QRect(0, 0, width() + 1, height() + 1), kRoundCorner));
    } else if (!mask().isEmpty()) {
        clearMask();
    }
}

} // namespace ft::widgets
