// What a TskButton looks like: rendered into images and checked where the drawing rules fix
// the pixels.

#include "button_test_support.h"
#include "ui/widgets/button_face.h"
#include "ui/widgets/system_button.h"
#include "ui/widgets/tsk_button.h"
#include "ui/widgets/win_draw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include <memory>

using namespace ft::widgets;
using namespace ft::widgets::testing;

namespace {

// A shown window holding one button, so mouse presses reach it.
struct Host {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TskButton* button = new TskButton(window.get());

    Host()
    {
        window->resize(200, 100);
        button->move(10, 10);
    }

    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
};

QImage bitmap(int width, int height, const QColor& fill, const QColor& bottomLeft)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    image.setPixelColor(0, height - 1, bottomLeft);
    return image;
}

// Text without antialiasing, so its ink is the same on any background.
QFont crisp(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage paintFace(const ButtonFaceState& state)
{
    QImage image(state.size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintButtonFace(painter, state);
    return image;
}

} // namespace

class TskButtonPaintTest : public QObject {
    Q_OBJECT

private slots:
    void gradientRowsUseTruncatingIntegerSteps()
    {
        const QColor white(255, 255, 255);
        const QColor silver(192, 192, 192);
        // 255 + 12 * (192 - 255) / 25 = 255 - 30 (756 / 25 = 30.24, truncated toward zero).
        QCOMPARE(gradientRowColor(white, silver, 12, 26), QColor(225, 225, 225));
        QCOMPARE(gradientRowColor(white, silver, 0, 26), white);
        QCOMPARE(gradientRowColor(white, silver, 25, 26), silver);
        QCOMPARE(gradientRowColor(white, silver, 0, 1), white);
        // Rising channels truncate downward: 10 + 1 * 7 / 2 = 13.
        QCOMPARE(gradientRowColor(QColor(10, 0, 0), QColor(17, 0, 0), 1, 3), QColor(13, 0, 0));

        TskButton button;
        button.setButtonStyle(TskButtonStyle::bsFlatNoFrame);
        const QImage image = renderWidget(button);
        QCOMPARE(image.size(), QSize(75, 26));
        QCOMPARE(pixelAt(image, 37, 0), white);
        QCOMPARE(pixelAt(image, 37, 12), QColor(225, 225, 225));
        QCOMPARE(pixelAt(image, 0, 12), QColor(225, 225, 225));
        QCOMPARE(pixelAt(image, 74, 25), silver);

        button.setGradation(false);
        button.setColor(QColor(1, 2, 3));
        QCOMPARE(pixelAt(renderWidget(button), 37, 12), QColor(1, 2, 3));
    }

    void centredCaptionTopsForOneAndTwoLines()
    {
        std::optional<QFont> font = uiFontWithTextHeight(12);
        if (!font) {
            QSKIP("no pixel size of the UI face has a text height of 12");
        }
        font = crisp(*font);
        const QString line = QStringLiteral("一");
        const QRect cellInk = inkOfTextCell(*font, line);
        const int lineWidth = QFontMetrics(*font).horizontalAdvance(line);

        TskButton button;
        button.setFont(*font);
        const QImage empty = renderWidget(button);
        button.captionA().setCaption(line);
        const QImage oneLine = renderWidget(button);
        // (26 - 12) / 2 + 1 = 8, centred on x = 75 / 2.
        QCOMPARE(button.captionTop(), 8);
        QCOMPARE(differenceBox(empty, oneLine), cellInk.translated(37 - lineWidth / 2, 8));

        button.captionB().setCaption(line);
        const QImage twoLines = renderWidget(button);
        // (26 - 24 - 4) / 2 = -1 truncated toward zero; the second line at -1 + 12 + 4.
        QCOMPARE(button.captionTop(), -1);
        const QRect expected =
            cellInk.translated(37 - lineWidth / 2, -1) | cellInk.translated(37 - lineWidth / 2, 15);
        QCOMPARE(differenceBox(empty, twoLines), expected);

        // A second line alone is centred exactly, without the extra pixel.
        button.captionA().setCaption(QString());
        const QImage secondOnly = renderWidget(button);
        QCOMPARE(button.captionTop(), 7);
        QCOMPARE(differenceBox(empty, secondOnly), cellInk.translated(37 - lineWidth / 2, 7));
    }

    void systemButtonsDrawAtTopEightAndShiftWhilePressed()
    {
        Host host;
        const QFont font = crisp(japaneseUiFont());
        host.button->setFont(font);
        const QString caption = QStringLiteral("検　索");
        applySystemButtonLook(*host.button, caption);
        QVERIFY(!host.button->captionVertCenter());
        QCOMPARE(host.button->image().top(), 0);
        QVERIFY(!host.button->image().vertCenter());

        const QRect cellInk = inkOfTextCell(font, caption);
        const int left = 37 - QFontMetrics(font).horizontalAdvance(caption) / 2;
        const auto captionInk = [&] {
            const QImage written = renderWidget(*host.button);
            host.button->captionA().setCaption(QString());
            const QImage blank = renderWidget(*host.button);
            host.button->captionA().setCaption(caption);
            return differenceBox(blank, written);
        };
        QCOMPARE(captionInk(), cellInk.translated(left, 8));
        QCOMPARE(host.button->captionTop(), 8); // a paint does not move a fixed top
        const QImage released = renderWidget(*host.button);
        QCOMPARE(pixelAt(released, 0, 0), win::color3DLight());
        QCOMPARE(pixelAt(released, 1, 1), win::colorBtnHighlight());
        QCOMPARE(pixelAt(released, 74, 25), win::color3DDkShadow());

        QVERIFY(host.show());
        QTest::mousePress(host.button, Qt::LeftButton, {}, QPoint(30, 10));
        QVERIFY(host.button->isPressed());
        QCOMPARE(captionInk(), cellInk.translated(left + 1, 9));
        // Two grey rings instead of the raised edge.
        const QImage pressed = renderWidget(*host.button);
        QCOMPARE(pixelAt(pressed, 0, 0), win::colorBtnShadow());
        QCOMPARE(pixelAt(pressed, 1, 1), QColor(128, 128, 128));
        QCOMPARE(pixelAt(pressed, 74, 25), win::colorBtnShadow());
        QTest::mouseRelease(host.button, Qt::LeftButton, {}, QPoint(30, 10));
        QVERIFY(!host.button->isPressed());
    }

    void pressedOffsetNeedsHasFocus()
    {
        ButtonFaceState state;
        state.picture.picture = bitmap(8, 8, QColor(200, 0, 0), QColor(200, 0, 0));
        state.picture.left = 10;
        const QImage released = paintFace(state);
        state.pressed = true;
        const QImage pressed = paintFace(state);
        // Picture centred vertically at (26 - 8) / 2 = 9; pressed it moves to (11, 10).
        QCOMPARE(pixelAt(released, 10, 9), QColor(200, 0, 0));
        QVERIFY(pixelAt(pressed, 10, 9) != QColor(200, 0, 0));
        QCOMPARE(pixelAt(pressed, 11, 10), QColor(200, 0, 0));
        QCOMPARE(pixelAt(pressed, 18, 17), QColor(200, 0, 0));

        state.hasFocus = false;
        const QImage pressedNoFocus = paintFace(state);
        QCOMPARE(pixelAt(pressedNoFocus, 10, 9), QColor(200, 0, 0));
        // The pressed frame stays: that belongs to the style, not to the focus.
        QCOMPARE(pixelAt(pressedNoFocus, 0, 0), win::colorBtnShadow());
    }

    void evenSpacingSharesGapAndRest()
    {
        const std::vector<int> abcd{10, 10, 10, 10};
        QCOMPARE(evenCharacterLefts(0, abcd, 100, 40), (std::vector<int>{0, 30, 60, 90}));
        // One pixel of rest widens the first gap only.
        QCOMPARE(evenCharacterLefts(0, abcd, 101, 40), (std::vector<int>{0, 31, 61, 91}));
        // Too little room: gap 0, rest -2 narrows the first two gaps.
        QCOMPARE(evenCharacterLefts(5, abcd, 38, 40), (std::vector<int>{5, 14, 23, 33}));
        QCOMPARE(evenCharacterLefts(7, {12}, 50, 12), (std::vector<int>{7}));

        // Two characters: the first starts at Left + 2, the second ends at width - Right - 2.
        const QFont font = crisp(japaneseUiFont());
        const QString character = QStringLiteral("一");
        const QRect cellInk = inkOfTextCell(font, character);
        const int width = QFontMetrics(font).horizontalAdvance(character);
        TskButton button;
        button.setFont(font);
        button.setCaptionTop(6);
        const QImage empty = renderWidget(button);
        button.captionA().setAlignment(TskBtnAlignment::taEven);
        button.captionA().setLeft(3);
        button.captionA().setRight(4);
        button.captionA().setCaption(character + character);
        const QRect expected =
            cellInk.translated(3 + 2, 6) | cellInk.translated(75 - 4 - 2 - width, 6);
        QCOMPARE(differenceBox(empty, renderWidget(button)), expected);

        // A single character is centred like taCenter.
        button.captionA().setCaption(character);
        QCOMPARE(differenceBox(empty, renderWidget(button)), cellInk.translated(37 - width / 2, 6));
    }

    void disabledLookGreysPictureAndEmbossesText()
    {
        QCOMPARE(QColor(greyedPicture(bitmap(1, 1, QColor(200, 100, 31), QColor(200, 100, 31)))
                            .pixel(0, 0)),
                 QColor(175, 175, 175)); // (331 / 3 = 110) / 2 + 120
        QCOMPARE(QColor(greyedPicture(bitmap(1, 1, Qt::black, Qt::black)).pixel(0, 0)),
                 QColor(120, 120, 120));
        QCOMPARE(QColor(greyedPicture(bitmap(1, 1, Qt::white, Qt::white)).pixel(0, 0)),
                 QColor(247, 247, 247));

        TskButton button;
        button.setFont(crisp(japaneseUiFont()));
        button.setButtonStyle(TskButtonStyle::bsFlatNoFrame);
        button.image().setBitmap(bitmap(10, 10, QColor(200, 100, 31), QColor(0, 0, 255)));
        button.image().setTransParent(true);
        button.captionA().setCaption(QStringLiteral("閉じる"));
        button.captionA().setAlignment(TskBtnAlignment::taRight);
        const QImage enabled = renderWidget(button);
        // Left 10, top (26 - 10) / 2 = 8; the bottom-left colour is left out.
        QCOMPARE(pixelAt(enabled, 15, 12), QColor(200, 100, 31));
        QCOMPARE(pixelAt(enabled, 10, 17),
                 gradientRowColor(Qt::white, QColor(192, 192, 192), 17, 26));

        button.setEnabled(false);
        const QImage disabled = renderWidget(button);
        QCOMPARE(pixelAt(disabled, 15, 12), QColor(175, 175, 175));
        QCOMPARE(pixelAt(disabled, 10, 17),
                 gradientRowColor(Qt::white, QColor(192, 192, 192), 17, 26));
        bool highlightPass = false;
        bool shadowPass = false;
        for (int y = 0; y < 26; ++y) {
            for (int x = 40; x < 75; ++x) {
                highlightPass |= pixelAt(disabled, x, y) == win::colorBtnHighlight() && y > 2;
                shadowPass |= pixelAt(disabled, x, y) == win::colorBtnShadow();
            }
        }
        QVERIFY(highlightPass);
        QVERIFY(shadowPass);

        // A button that takes no focus looks enabled unless DisableImage asks otherwise.
        button.setTakesFocus(false);
        QCOMPARE(renderWidget(button), enabled);
        button.setDisableImage(true);
        QCOMPARE(renderWidget(button), disabled);
    }

    void iconsKeepTheirTransparencyAndPicturesCentre()
    {
        QImage iconImage(6, 6, QImage::Format_ARGB32);
        iconImage.fill(Qt::transparent);
        for (int i = 0; i < 6; ++i) {
            iconImage.setPixelColor(i, i, Qt::red); // a diagonal on a clear square
        }
        TskButton button;
        button.setButtonStyle(TskButtonStyle::bsFlatNoFrame);
        button.image().setIcon(QIcon(QPixmap::fromImage(iconImage)), QSize(6, 6));
        button.image().setHorzCenter(true);
        const QImage image = renderWidget(button);
        // Centred both ways: left (75 - 6) / 2 = 34, top (26 - 6) / 2 = 10.
        QCOMPARE(button.image().left(), 34);
        QCOMPARE(button.image().top(), 10);
        QCOMPARE(pixelAt(image, 34, 10), QColor(Qt::red));
        QCOMPARE(pixelAt(image, 39, 15), QColor(Qt::red));
        QCOMPARE(pixelAt(image, 39, 10),
                 gradientRowColor(Qt::white, QColor(192, 192, 192), 10, 26));

        // Setting Left stops the horizontal centring.
        button.image().setLeft(3);
        QVERIFY(!button.image().horzCenter());
        QCOMPARE(pixelAt(renderWidget(button), 3, 10), QColor(Qt::red));
    }

    void focusMarkFollowsTheStyle()
    {
        ButtonFaceState state;
        state.gradation = false;
        state.color = QColor(100, 100, 100);
        const QImage plain = paintFace(state);
        state.focused = true;
        const QImage focused = paintFace(state);
        QCOMPARE(pixelAt(focused, 2, 2), QColor(155, 155, 155)); // inverted, x + y even
        QCOMPARE(pixelAt(focused, 3, 2), QColor(100, 100, 100));
        QCOMPARE(pixelAt(focused, 72, 22), QColor(155, 155, 155)); // 2 from the right edge
        QCOMPARE(pixelAt(focused, 73, 23), pixelAt(plain, 73, 23));

        state.style = TskButtonStyle::bsFlat;
        state.frameType = TskBtnFrameType::bffBump;
        // Widened onto the bump's inner ring, whose light colour it inverts.
        QCOMPARE(pixelAt(paintFace(state), 73, 23), QColor(255 - 212, 255 - 208, 255 - 200));
        state.frameType = TskBtnFrameType::bffEtched;
        QCOMPARE(pixelAt(paintFace(state), 71, 21), QColor(155, 155, 155));
        QCOMPARE(pixelAt(paintFace(state), 72, 22), QColor(100, 100, 100));

        state.style = TskButtonStyle::bsRoundRectNoFrame;
        const QImage round = paintFace(state);
        QCOMPARE(pixelAt(round, 4, 2), QColor(32, 32, 32)); // first pixel of the walk
        QCOMPARE(pixelAt(round, 5, 2), QColor(100, 100, 100));
        QCOMPARE(pixelAt(round, 2, 2), QColor(100, 100, 100)); // cut corner

        state.hasFocus = false;
        QCOMPARE(paintFace(state), paintFace([&] {
                     ButtonFaceState unfocused = state;
                     unfocused.focused = false;
                     return unfocused;
                 }()));
    }

    void roundStylesCutTheCornersAndFollowResizes()
    {
        TskButton button;
        QVERIFY(button.mask().isEmpty());
        button.setButtonStyle(TskButtonStyle::bsRoundRect);
        QRegion region = button.mask();
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(!region.contains(QPoint(1, 0)));
        QVERIFY(!region.contains(QPoint(74, 25)));
        QVERIFY(region.contains(QPoint(2, 0)));
        QVERIFY(region.contains(QPoint(74, 23)));
        const QImage image = renderWidget(button);
        QCOMPARE(pixelAt(image, 2, 0), QColor(117, 117, 117));
        QCOMPARE(pixelAt(image, 1, 1), QColor(117, 117, 117));
        QCOMPARE(pixelAt(image, 37, 25), QColor(117, 117, 117));

        // A hidden widget is told of its new size only when shown.
        button.resize(100, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        // Measured from the size the window got: a window system may hold a
        // top-level window to a larger least size than asked for.
        region = button.mask();
        const QPoint corner(button.width() - 1, button.height() - 1);
        QVERIFY(!region.contains(corner));
        QVERIFY(region.contains(corner - QPoint(0, 2)));
        QVERIFY(region.contains(QPoint(74, 25)));

        button.setButtonStyle(TskButtonStyle::bsFlat);
        QVERIFY(button.mask().isEmpty());
    }
};

QTEST_MAIN(TskButtonPaintTest)
#include "tsk_button_paint_test.moc"
