#include "ui/widgets/button_face.h"

#include "ui/widgets/win_draw.h"

#include <QFontMetrics>
#include <QPainter>

namespace ft::widgets {

namespace {

constexpr int kRoundCorner = 7;      // corner size of the round frame
constexpr int kRoundFocusCorner = 5; // corner size of the round focus mark

QColor roundFrameColor()
{
    return {117, 117, 117};
}

QColor roundFocusColor()
{
    return {32, 32, 32};
}

QColor pressedInnerFrameColor()
{
    return {128, 128, 128};
}

bool isRoundStyle(TskButtonStyle style)
{
    return style == TskButtonStyle::bsRoundRect || style == TskButtonStyle::bsRoundRectNoFrame;
}

// The pressed offset of picture and captions exists only for buttons that take the focus.
int pressedOffset(const ButtonFaceState& state)
{
    return (state.hasFocus && state.pressed) ? 1 : 0;
}

// A disabled button shows the embossed, greyed look only when it is one that takes the
// focus, or when DisableImage asks for it.
bool showsDisabledLook(const ButtonFaceState& state)
{
    return !state.enabled && (state.hasFocus || state.disableImage);
}

void paintBackground(QPainter& painter, const ButtonFaceState& state)
{
    const int width = state.size.width();
    const int height = state.size.height();
    if (!state.gradation) {
        painter.fillRect(QRect(0, 0, width, height), state.color);
        return;
    }
    // A 24-bit surface shows every colour, so the nearest displayable colour is the colour.
    for (int row = 0; row < height; ++row) {
        painter.fillRect(QRect(0, row, width, 1),
                         gradientRowColor(state.gradBeginColor, state.gradEndColor, row, height));
    }
}

// A bitmap drawn transparently leaves out every pixel of its bottom-left pixel's colour.
QImage withoutBottomLeftColour(const QImage& picture)
{
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) & RGB_MASK;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & RGB_MASK) == key) {
                line[x] = 0;
            }
        }
    }
    return keyed;
}

void paintPicture(QPainter& painter, const ButtonFaceState& state, ButtonFaceOutcome& outcome)
{
    const PictureSettings& settings = state.picture;
    outcome.pictureLeft = settings.left;
    outcome.pictureTop = settings.top;
    if (!settings.visible || settings.picture.isNull()) {
        return;
    }
    if (settings.vertCenter) {
        outcome.pictureTop = (state.size.height() - settings.picture.height()) / 2;
    }
    if (settings.horzCenter) {
        outcome.pictureLeft = (state.size.width() - settings.picture.width()) / 2;
    }

    QImage shown = showsDisabledLook(state) ? greyedPicture(settings.picture) : settings.picture;
    if (!settings.isIcon && settings.transParent) {
        shown = withoutBottomLeftColour(shown);
    }
    const int offset = pressedOffset(state);
    painter.drawImage(QPoint(outcome.pictureLeft + offset, outcome.pictureTop + offset), shown);
}

// The characters of a line; a character outside the 16-bit range counts once.
std::vector<QString> splitCharacters(const QString& text)
{
    std::vector<QString> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        characters.push_back(text.mid(i, pair ? 2 : 1));
        if (pair) {
            ++i;
        }
    }
    return characters;
}

// One caption line laid out: where its reference point is and how it hangs from it.
struct CaptionLayout {
    std::vector<QString> characters;
    TskBtnAlignment alignment = TskBtnAlignment::taCenter;
    int x = 0;
    int top = 0;
    int available = 0; // width to spread over, taEven only
};

CaptionLayout layoutCaption(const ButtonFaceState& state, const CaptionSettings& line, int top)
{
    CaptionLayout layout;
    layout.characters = splitCharacters(line.caption);
    layout.alignment = line.alignment;
    if (layout.alignment == TskBtnAlignment::taEven && layout.characters.size() == 1) {
        layout.alignment = TskBtnAlignment::taCenter;
    }
    const int width = state.size.width();
    switch (layout.alignment) {
    case TskBtnAlignment::taCenter:
        layout.x = width / 2;
        break;
    case TskBtnAlignment::taLeft:
        layout.x = line.left + 2;
        break;
    case TskBtnAlignment::taRight:
        layout.x = width - line.right - 2;
        break;
    case TskBtnAlignment::taEven:
        layout.x = line.left + 2;
        layout.available = width - (line.left + 2) - line.right - 2;
        break;
    }
    const int offset = pressedOffset(state);
    layout.x += offset;
    layout.top = top + offset;
    return layout;
}

void drawCaptionPass(QPainter& painter, const QFontMetrics& metrics, const CaptionLayout& layout,
                     const QString& text, QPoint shift, const QColor& color)
{
    painter.setPen(color);
    const int x = layout.x + shift.x();
    const int baseline = layout.top + shift.y() + metrics.ascent();
    const int textWidth = metrics.horizontalAdvance(text);
    switch (layout.alignment) {
    case TskBtnAlignment::taCenter:
        painter.drawText(QPoint(x - textWidth / 2, baseline), text);
        return;
    case TskBtnAlignment::taLeft:
        painter.drawText(QPoint(x, baseline), text);
        return;
    case TskBtnAlignment::taRight:
        painter.drawText(QPoint(x - textWidth, baseline), text);
        return;
    case TskBtnAlignment::taEven:
        break;
    }
    std::vector<int> widths;
    widths.reserve(layout.characters.size());
    for (const QString& character : layout.characters) {
        widths.push_back(metrics.horizontalAdvance(character));
    }
    const std::vector<int> lefts = evenCharacterLefts(x, widths, layout.available, textWidth);
    for (std::size_t i = 0; i < layout.characters.size(); ++i) {
        painter.drawText(QPoint(lefts[i], baseline), layout.characters[i]);
    }
}

void paintCaptionLine(QPainter& painter, const ButtonFaceState& state, const QFontMetrics& metrics,
                      const CaptionSettings& line, int top)
{
    if (line.caption.isEmpty()) {
        return;
    }
    const CaptionLayout layout = layoutCaption(state, line, top);
    if (showsDisabledLook(state)) {
        drawCaptionPass(painter, metrics, layout, line.caption, {1, 1}, win::colorBtnHighlight());
        drawCaptionPass(painter, metrics, layout, line.caption, {0, 0}, win::colorBtnShadow());
    } else {
        drawCaptionPass(painter, metrics, layout, line.caption, {0, 0}, state.fontColor);
    }
}

void paintCaptions(QPainter& painter, const ButtonFaceState& state, ButtonFaceOutcome& outcome)
{
    painter.setFont(state.font);
    const QFontMetrics metrics(state.font, painter.device());
    const int height = state.size.height();
    const int lineHeight = metrics.height();
    const bool hasFirst = !state.captionA.caption.isEmpty();
    const bool hasSecond = !state.captionB.caption.isEmpty();

    int firstTop = state.captionTop;
    if (state.captionVertCenter) {
        // A single line sits one pixel below exact centring.
        firstTop = hasSecond ? (height - 2 * lineHeight - state.captionLineSpace) / 2
                             : (height - lineHeight) / 2 + 1;
    }
    outcome.captionTop = firstTop;
    paintCaptionLine(painter, state, metrics, state.captionA, firstTop);

    int secondTop = firstTop + lineHeight + state.captionLineSpace;
    if (!hasFirst) {
        if (state.captionVertCenter) {
            secondTop = (height - lineHeight) / 2;
            outcome.captionTop = secondTop;
        } else {
            secondTop = state.captionTop;
        }
    }
    paintCaptionLine(painter, state, metrics, state.captionB, secondTop);
}

void paintFrame(QPainter& painter, const ButtonFaceState& state)
{
    const QRect client(QPoint(0, 0), state.size);
    switch (state.style) {
    case TskButtonStyle::bsNormal:
        if (state.pressed) {
            win::frameRect(painter, client, win::colorBtnShadow());
            win::frameRect(painter, client.adjusted(1, 1, -1, -1), pressedInnerFrameColor());
        } else {
            win::drawEdge(painter, client, win::EDGE_RAISED, win::BF_RECT);
        }
        return;
    case TskButtonStyle::bsFlat:
        switch (state.frameType) {
        case TskBtnFrameType::bffFlat:
            win::drawEdge(painter, client, win::EDGE_BUMP, win::BF_RECT | win::BF_FLAT);
            return;
        case TskBtnFrameType::bffEtched:
            win::drawEdge(painter, client, win::EDGE_ETCHED, win::BF_RECT);
            return;
        case TskBtnFrameType::bffBump:
            win::drawEdge(painter, client, win::EDGE_BUMP, win::BF_RECT);
            return;
        }
        return;
    case TskButtonStyle::bsRoundRect:
        win::drawRoundRect(painter, client, kRoundCorner, roundFrameColor(), false);
        return;
    case TskButtonStyle::bsFlatNoFrame:
    case TskButtonStyle::bsRoundRectNoFrame:
        return;
    }
}

void paintFocusMark(QPainter& painter, const ButtonFaceState& state)
{
    if (!state.focused || !state.hasFocus) {
        return;
    }
    QRect mark = QRect(QPoint(0, 0), state.size).adjusted(2, 2, -2, -2);
    if (isRoundStyle(state.style)) {
        win::drawRoundRect(painter, mark, kRoundFocusCorner, roundFocusColor(), true);
        return;
    }
    if (state.style == TskButtonStyle::bsFlat) {
        // The bump frame's mark reaches one pixel further right and down, the etched one's
        // one pixel less far.
        if (state.frameType == TskBtnFrameType::bffBump) {
            mark.adjust(0, 0, 1, 1);
        } else if (state.frameType == TskBtnFrameType::bffEtched) {
            mark.adjust(0, 0, -1, -1);
        }
    }
    win::drawFocusRect(painter, mark);
}

} // namespace

ButtonFaceOutcome paintButtonFace(QPainter& painter, const ButtonFaceState& state)
{
    ButtonFaceOutcome outcome;
    outcome.captionTop = state.captionTop;
    if (state.size.isEmpty()) {
        return outcome;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintBackground(painter, state);
    paintPicture(painter, state, outcome);
    paintCaptions(painter, state, outcome);
    paintFrame(painter, state);
    paintFocusMark(painter, state);
    painter.restore();
    return outcome;
}

QColor gradientRowColor(const QColor& begin, const QColor& end, int row, int height)
{
    if (height <= 1) {
        return begin;
    }
    const auto channel = [row, height](int from, int to) {
        return from + row * (to - from) / (height - 1);
    };
    return {channel(begin.red(), end.red()), channel(begin.green(), end.green()),
            channel(begin.blue(), end.blue())};
}

std::vector<int> evenCharacterLefts(int x, const std::vector<int>& widths, int available,
                                    int textWidth)
{
    std::vector<int> lefts;
    lefts.reserve(widths.size());
    if (widths.size() < 2) {
        lefts.assign(widths.size(), x);
        return lefts;
    }
    const int gaps = static_cast<int>(widths.size()) - 1;
    const int spare = available - textWidth;
    const int gap = spare / gaps;
    int rest = spare % gaps; // same sign as spare
    for (const int width : widths) {
        lefts.push_back(x);
        x += width + gap;
        if (rest > 0) {
            ++x;
            --rest;
        } else if (rest < 0) {
            --x;
            ++rest;
        }
    }
    return lefts;
}

QImage greyedPicture(const QImage& picture)
{
    QImage greyed = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                      : QImage::Format_RGB32);
    for (int y = 0; y < greyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(greyed.scanLine(y));
        for (int x = 0; x < greyed.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = ((qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3) / 2 + 120;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
        }
    }
    return greyed;
}

} // namespace ft::widgets
