// A window of TskButtons in every style and state, to be looked at (and screenshot) by a
// person: the program's own button row, the frame styles, and the caption, picture and
// disabled variations.

#include "ui/widgets/system_button.h"
#include "ui/widgets/tsk_button.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QWidget>

using namespace ft::widgets;

namespace {

QImage demoPicture()
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::magenta); // bottom-left colour: left out when drawn transparently
    QPainter painter(&picture);
    painter.setBrush(QColor(30, 120, 200));
    painter.setPen(QColor(10, 60, 120));
    painter.drawEllipse(1, 1, 13, 13);
    return picture;
}

void addLabel(QWidget* window, const QString& text, int top)
{
    auto* label = new QLabel(text, window);
    label->setGeometry(10, top, 600, 16);
}

void addProgramRow(QWidget* window)
{
    addLabel(window, QStringLiteral("The program's buttons (CaptionTop 8):"), 8);
    int left = 10;
    const std::pair<const char*, int> buttons[] = {{"検　索", 75},          {"図面自動登録", 89},
                                                   {"登録図面表示", 105},   {"図面追加登録", 89},
                                                   {"登録図面全削除", 105}, {"閉じる", 75}};
    int index = 1;
    for (const auto& [caption, width] : buttons) {
        makeSystemButton(window, QStringLiteral("skButton%1").arg(index++),
                         QString::fromUtf8(caption), QRect(left, 28, width, 26));
        left += width + 12;
    }
}

void addStyleRow(QWidget* window)
{
    addLabel(window,
             QStringLiteral("Styles: normal, flat (flat / etched / bump), flat without "
                            "frame, round, round without frame:"),
             66);
    struct Style {
        TskButtonStyle style;
        TskBtnFrameType frame;
        const char* caption;
    };
    const Style styles[] = {
        {TskButtonStyle::bsNormal, TskBtnFrameType::bffFlat, "通常"},
        {TskButtonStyle::bsFlat, TskBtnFrameType::bffFlat, "平ら"},
        {TskButtonStyle::bsFlat, TskBtnFrameType::bffEtched, "彫り"},
        {TskButtonStyle::bsFlat, TskBtnFrameType::bffBump, "隆起"},
        {TskButtonStyle::bsFlatNoFrame, TskBtnFrameType::bffFlat, "枠なし"},
        {TskButtonStyle::bsRoundRect, TskBtnFrameType::bffFlat, "角丸"},
        {TskButtonStyle::bsRoundRectNoFrame, TskBtnFrameType::bffFlat, "角丸枠なし"}};
    int left = 10;
    for (const Style& style : styles) {
        auto* button = makeSystemButton(window, QString(), QString::fromUtf8(style.caption),
                                        QRect(left, 86, 75, 26));
        button->setButtonStyle(style.style);
        button->setFlatFrameType(style.frame);
        left += 87;
    }
}

void addVariationRow(QWidget* window)
{
    addLabel(window,
             QStringLiteral("Disabled, two lines, taEven, left and right, picture, "
                            "disabled picture, flat colour:"),
             124);
    auto* disabled =
        makeSystemButton(window, QString(), QStringLiteral("全選択"), QRect(10, 144, 75, 26));
    disabled->setEnabled(false);

    auto* twoLines = new TskButton(window);
    twoLines->setGeometry(97, 144, 75, 40);
    twoLines->captionA().setCaption(QStringLiteral("図面"));
    twoLines->captionB().setCaption(QStringLiteral("表示"));

    auto* even =
        makeSystemButton(window, QString(), QStringLiteral("全未選択"), QRect(184, 144, 105, 26));
    even->captionA().setAlignment(TskBtnAlignment::taEven);
    even->captionA().setLeft(6);
    even->captionA().setRight(6);

    auto* sides = new TskButton(window);
    sides->setGeometry(301, 144, 105, 40);
    sides->captionA().setCaption(QStringLiteral("左寄せ"));
    sides->captionA().setAlignment(TskBtnAlignment::taLeft);
    sides->captionB().setCaption(QStringLiteral("右寄せ"));
    sides->captionB().setAlignment(TskBtnAlignment::taRight);

    for (const bool enabled : {true, false}) {
        auto* picture = makeSystemButton(window, QString(), QStringLiteral("画像"),
                                         QRect(enabled ? 418 : 505, 144, 75, 26));
        picture->captionA().setAlignment(TskBtnAlignment::taRight);
        picture->captionA().setRight(8);
        picture->image().setBitmap(demoPicture());
        picture->image().setTransParent(true);
        picture->image().setVertCenter(true);
        picture->setEnabled(enabled);
    }

    auto* plain =
        makeSystemButton(window, QString(), QStringLiteral("単色"), QRect(592, 144, 75, 26));
    plain->setGradation(false);
    plain->setColor(QColor(255, 236, 180));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TskButton"));
    window.setFont(japaneseUiFont());
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(212, 208, 200));
    window.setPalette(palette);
    window.resize(690, 200);
    addProgramRow(&window);
    addStyleRow(&window);
    addVariationRow(&window);
    window.show();
    return QApplication::exec();
}
