#pragma once

// Painting of the owner-drawn button, apart from the widget: background, picture, caption
// lines, frame and focus mark, drawn from a snapshot of the button's settings and state.

#include "ui/widgets/tsk_btn_parts.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

class QPainter;

namespace ft::widgets {

// Everything one paint of a button depends on.
struct ButtonFaceState {
    QSize size{75, 26};
    TskButtonStyle style = TskButtonStyle::bsNormal;
    TskBtnFrameType frameType = TskBtnFrameType::bffFlat;
    bool gradation = true;
    QColor gradBeginColor{255, 255, 255};
    QColor gradEndColor{192, 192, 192};
    QColor color{212, 208, 200}; // background without gradation
    bool pressed = false;
    bool focused = false; // the button is the active control of the screen
    bool hasFocus = true; // the HasFocus setting
    bool enabled = true;
    bool disableImage = false;
    PictureSettings picture;
    CaptionSettings captionA;
    CaptionSettings captionB;
    int captionLineSpace = 4;
    int captionTop = 0;
    bool captionVertCenter = true;
    QFont font;
    QColor fontColor{0, 0, 0};
};

// What a paint worked out and the button keeps: the caption top of a centred paint and
// the picture's place when it is centred (both before the pressed offset).
struct ButtonFaceOutcome {
    int captionTop = 0;
    int pictureLeft = 0;
    int pictureTop = 0;
};

// Paints the whole button into the painter's device, whose origin is the button's
// top-left corner; every pixel of the button is covered.
ButtonFaceOutcome paintButtonFace(QPainter& painter, const ButtonFaceState& state);

// Colour of gradient row `row` of `height` rows: each channel is
// begin + row * (end - begin) / (height - 1), the division truncated toward zero.
QColor gradientRowColor(const QColor& begin, const QColor& end, int row, int height);

// Left edges of the characters of a spread (taEven) line starting at `x`: the `available`
// width minus the whole line's `textWidth` is shared out as equal gaps, the remainder one
// pixel at a time from the first gap on (taken away when the line is too wide).
std::vector<int> evenCharacterLefts(int x, const std::vector<int>& widths, int available,
                                    int textWidth);

// The disabled look of a picture: every pixel becomes the grey ((R + G + B) / 3) / 2 + 120;
// transparency is kept.
QImage greyedPicture(const QImage& picture);

} // namespace ft::widgets
