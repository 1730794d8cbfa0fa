#pragma once

// Settings of the owner-drawn button: its enumerations, and the picture and caption
// companions. Each companion keeps a reference to the button it belongs to and asks it to
// repaint when one of its settings changes.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

class QWidget;

namespace ft::widgets {

enum class TskButtonStyle { bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame };
enum class TskBtnFrameType { bffFlat, bffEtched, bffBump };
enum class TskBtnAlignment { taCenter, taLeft, taRight, taEven };

// What the painter needs of the picture.
struct PictureSettings {
    QImage picture; // empty: no graphic
    bool isIcon = false;
    int left = 10;
    int top = 0;
    bool visible = true;
    bool transParent = false;
    bool vertCenter = true;
    bool horzCenter = false;
};

// What the painter needs of one caption line.
struct CaptionSettings {
    QString caption;
    TskBtnAlignment alignment = TskBtnAlignment::taCenter;
    int left = 0;
    int right = 0;
};

// The `Image` of a button.
class TskBtnImage {
public:
    explicit TskBtnImage(QWidget& button);
    TskBtnImage(const TskBtnImage&) = delete;
    // Copies every setting of `other`, the picture included; the button stays this one's.
    TskBtnImage& operator=(const TskBtnImage& other);

    const PictureSettings& settings() const { return m_settings; }

    // A bitmap: drawn opaque, or with the colour of its bottom-left pixel left out when
    // TransParent is on. The image is copied.
    void setBitmap(const QImage& bitmap);
    // An icon, rendered once at `size`; always drawn through its own transparency.
    void setIcon(const QIcon& icon, const QSize& size);
    void clearPicture();
    bool hasGraphic() const { return !m_settings.picture.isNull(); }
    bool isIcon() const { return m_settings.isIcon; }
    const QImage& picture() const { return m_settings.picture; }

    int left() const { return m_settings.left; }
    void setLeft(int left); // also clears HorzCenter
    int top() const { return m_settings.top; }
    void setTop(int top); // also clears VertCenter
    bool visible() const { return m_settings.visible; }
    void setVisible(bool visible);
    bool transParent() const { return m_settings.transParent; }
    void setTransParent(bool transParent);
    bool vertCenter() const { return m_settings.vertCenter; }
    void setVertCenter(bool vertCenter); // repaints only when switched on
    bool horzCenter() const { return m_settings.horzCenter; }
    void setHorzCenter(bool horzCenter); // repaints only when switched on

    // The position a centred paint worked out; stored without repainting.
    void storePaintedPosition(int left, int top);

private:
    void repaintButton();

    QWidget& m_button;
    PictureSettings m_settings;
};

// `CaptionA` or `CaptionB` of a button.
class TskBtnCaption {
public:
    explicit TskBtnCaption(QWidget& button);
    TskBtnCaption(const TskBtnCaption&) = delete;
    // Copies every setting of `other`; the button stays this one's.
    TskBtnCaption& operator=(const TskBtnCaption& other);

    const CaptionSettings& settings() const { return m_settings; }

    const QString& caption() const { return m_settings.caption; }
    void setCaption(const QString& caption);
    TskBtnAlignment alignment() const { return m_settings.alignment; }
    void setAlignment(TskBtnAlignment alignment);
    int left() const { return m_settings.left; }
    void setLeft(int left);
    int right() const { return m_settings.right; }
    void setRight(int right);

private:
    void repaintButton();

    QWidget& m_button;
    CaptionSettings m_settings;
};

} // namespace ft::widgets
