#pragma once

// TskButton: the push button of every window of the program. It paints itself completely
// (gradient or flat background, picture, up to two caption lines, a frame in one of five
// styles, focus mark), clicks on a mouse release inside it, on Enter while it has the focus
// and on Escape when it is the window's Cancel button, and hands its ModalResult to the
// dialog it sits on.

#include "ui/widgets/button_face.h"
#include "ui/widgets/tsk_btn_parts.h"

#include <QColor>
#include <QWidget>

class QShortcut;

namespace ft::widgets {

class TskButton : public QWidget {
    Q_OBJECT

public:
    explicit TskButton(QWidget* parent = nullptr);
    ~TskButton() override;

    TskButtonStyle buttonStyle() const { return m_buttonStyle; }
    // Repaints even when the style does not change; the round styles cut the corners off.
    void setButtonStyle(TskButtonStyle style);
    TskBtnFrameType flatFrameType() const { return m_flatFrameType; }
    void setFlatFrameType(TskBtnFrameType frameType);

    // Cancel: Escape clicks the button wherever the focus is in its window.
    bool cancel() const { return m_cancel; }
    void setCancel(bool cancel);
    // ModalResult: on every click a non-zero value closes the dialog the button sits on
    // with that result.
    int modalResult() const { return m_modalResult; }
    void setModalResult(int modalResult);

    bool gradation() const { return m_gradation; }
    void setGradation(bool gradation); // switching it on also clears ParentColor
    QColor gradBeginColor() const { return m_gradBeginColor; }
    void setGradBeginColor(const QColor& color);
    QColor gradEndColor() const { return m_gradEndColor; }
    void setGradEndColor(const QColor& color);
    // Color: the background without gradation; setting it clears ParentColor.
    QColor color() const;
    void setColor(const QColor& color);
    // ParentColor: the background without gradation follows the parent's background.
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    // HasFocus: whether the button takes the focus, shows the focus mark and the pressed
    // offset, and answers Enter and Escape. (QWidget::hasFocus() keeps its usual meaning.)
    bool takesFocus() const { return m_hasFocus; }
    void setTakesFocus(bool hasFocus);
    // TabStop: whether Tab reaches the button (when it takes the focus at all).
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool tabStop);
    bool disableImage() const { return m_disableImage; }
    void setDisableImage(bool disableImage);

    TskBtnImage& image() { return m_image; }
    const TskBtnImage& image() const { return m_image; }
    TskBtnCaption& captionA() { return m_captionA; }
    const TskBtnCaption& captionA() const { return m_captionA; }
    TskBtnCaption& captionB() { return m_captionB; }
    const TskBtnCaption& captionB() const { return m_captionB; }

    int captionLineSpace() const { return m_captionLineSpace; }
    void setCaptionLineSpace(int lineSpace);
    // CaptionTop: the first line's top when not centred; after a centred paint it holds the
    // top that paint worked out. Setting it switches vertical centring off.
    int captionTop() const { return m_captionTop; }
    void setCaptionTop(int top);
    bool captionVertCenter() const { return m_captionVertCenter; }
    void setCaptionVertCenter(bool center); // repaints only when switched on

    // Whether the left mouse button is held down on the button.
    bool isPressed() const { return m_pressed; }

    // Clicks the button as a mouse release or a key would.
    void click();

    // The snapshot a paint of the button now would use.
    ButtonFaceState faceState() const;

    QSize sizeHint() const override;

signals:
    void clicked();
    void doubleClicked();
    void mouseEntered(QPoint position);
    void mouseLeft(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setPressed(bool pressed);
    void pointerEntered(QPoint position);
    void pointerLeft(QPoint position);
    void applyModalResult();
    void onCancelKey();
    void updateFocusPolicy();
    void updateCancelShortcut();
    void updateWindowRegion();

    TskButtonStyle m_buttonStyle = TskButtonStyle::bsNormal;
    TskBtnFrameType m_flatFrameType = TskBtnFrameType::bffFlat;
    bool m_cancel = false;
    int m_modalResult = 0;
    bool m_gradation = true;
    QColor m_gradBeginColor{255, 255, 255};
    QColor m_gradEndColor{192, 192, 192};
    QColor m_color;
    bool m_parentColor = false;
    QColor m_fontColor;
    bool m_hasFocus = true;
    bool m_tabStop = true;
    bool m_disableImage = false;
    TskBtnImage m_image;
    TskBtnCaption m_captionA;
    TskBtnCaption m_captionB;
    int m_captionLineSpace = 4;
    int m_captionTop = 0;
    bool m_captionVertCenter = true;

    bool m_pressed = false;
    bool m_mouseHeld = false;     // the left button went down on this button and is still down
    bool m_pointerInside = false; // last known pointer position was over the button
    QShortcut* m_cancelShortcut = nullptr;
};

} // namespace ft::widgets
