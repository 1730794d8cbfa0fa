// The Windows classic drawing primitives, checked pixel by pixel.

#include "ui/widgets/win_draw.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>

using namespace ft::widgets;

namespace {

const QColor kCanvas(10, 20, 30);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kCanvas);
    return image;
}

QColor at(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

bool contains(const std::vector<QPoint>& points, QPoint point)
{
    return std::find(points.begin(), points.end(), point) != points.end();
}

} // namespace

class WinDrawTest : public QObject {
    Q_OBJECT

private slots:
    void raisedEdgeGivesCornersToTheShadowSides()
    {
        QImage image = canvas(6, 5);
        QPainter painter(&image);
        win::drawEdge(painter, QRect(0, 0, 6, 5), win::EDGE_RAISED, win::BF_RECT);
        painter.end();

        // Outer ring: light on top and left, dark shadow on right and bottom, which also
        // takes the top-right and bottom-left corners.
        QCOMPARE(at(image, 0, 0), win::color3DLight());
        QCOMPARE(at(image, 4, 0), win::color3DLight());
        QCOMPARE(at(image, 5, 0), win::color3DDkShadow());
        QCOMPARE(at(image, 0, 4), win::color3DDkShadow());
        QCOMPARE(at(image, 5, 4), win::color3DDkShadow());
        // Inner ring: highlight on top and left, shadow on right and bottom.
        QCOMPARE(at(image, 1, 1), win::colorBtnHighlight());
        QCOMPARE(at(image, 3, 1), win::colorBtnHighlight());
        QCOMPARE(at(image, 4, 1), win::colorBtnShadow());
        QCOMPARE(at(image, 1, 3), win::colorBtnShadow());
        // Inside both rings nothing is drawn.
        QCOMPARE(at(image, 2, 2), kCanvas);
        QCOMPARE(at(image, 3, 2), kCanvas);
    }

    void flatEtchedAndBumpEdges()
    {
        QImage flat = canvas(6, 6);
        QImage etched = canvas(6, 6);
        QImage bump = canvas(6, 6);
        {
            QPainter painter(&flat);
            win::drawEdge(painter, QRect(0, 0, 6, 6), win::EDGE_BUMP, win::BF_RECT | win::BF_FLAT);
        }
        {
            QPainter painter(&etched);
            win::drawEdge(painter, QRect(0, 0, 6, 6), win::EDGE_ETCHED, win::BF_RECT);
        }
        {
            QPainter painter(&bump);
            win::drawEdge(painter, QRect(0, 0, 6, 6), win::EDGE_BUMP, win::BF_RECT);
        }
        for (const QPoint outer : {QPoint(0, 0), QPoint(5, 0), QPoint(0, 5), QPoint(5, 5)}) {
            QCOMPARE(at(flat, outer.x(), outer.y()), win::colorBtnShadow());
        }
        for (const QPoint inner : {QPoint(1, 1), QPoint(4, 1), QPoint(1, 4), QPoint(4, 4)}) {
            QCOMPARE(at(flat, inner.x(), inner.y()), win::colorBtnFace());
        }
        QCOMPARE(at(flat, 2, 2), kCanvas);

        QCOMPARE(at(etched, 0, 0), win::colorBtnShadow());
        QCOMPARE(at(etched, 5, 5), win::colorBtnHighlight());
        QCOMPARE(at(etched, 1, 1), win::colorBtnHighlight());
        QCOMPARE(at(etched, 4, 4), win::colorBtnShadow());

        QCOMPARE(at(bump, 0, 0), win::color3DLight());
        QCOMPARE(at(bump, 5, 5), win::color3DDkShadow());
        QCOMPARE(at(bump, 1, 1), win::color3DDkShadow());
        QCOMPARE(at(bump, 4, 4), win::color3DLight());
    }

    void focusRectInvertsAlternatePixelsAndUndoesItself()
    {
        QImage image = canvas(8, 6);
        const QImage before = image;
        const QColor inverted(255 - kCanvas.red(), 255 - kCanvas.green(), 255 - kCanvas.blue());
        {
            QPainter painter(&image);
            win::drawFocusRect(painter, QRect(1, 1, 6, 4));
        }
        QCOMPARE(at(image, 1, 1), inverted); // x + y even
        QCOMPARE(at(image, 2, 1), kCanvas);
        QCOMPARE(at(image, 3, 1), inverted);
        QCOMPARE(at(image, 6, 4), inverted); // bottom-right corner, inverted once only
        QCOMPARE(at(image, 1, 3), inverted);
        QCOMPARE(at(image, 6, 3), kCanvas);
        QCOMPARE(at(image, 3, 3), kCanvas); // inside
        QCOMPARE(at(image, 0, 0), kCanvas); // outside
        {
            QPainter painter(&image);
            win::drawFocusRect(painter, QRect(1, 1, 6, 4));
        }
        QCOMPARE(image, before);
    }

    void roundRectCornersAndAlternatePen()
    {
        const std::vector<QPoint> outline = win::roundRectOutline(QRect(0, 0, 75, 26), 7);
        // Top-left corner of a 7 x 7 arc: the first two pixels of row 0 and the first of
        // row 1 are outside.
        QVERIFY(contains(outline, {2, 0}));
        QVERIFY(contains(outline, {1, 1}));
        QVERIFY(contains(outline, {0, 2}));
        QVERIFY(!contains(outline, {1, 0}));
        QVERIFY(!contains(outline, {0, 1}));
        // The other corners mirror it on the last column and row.
        QVERIFY(contains(outline, {72, 25}));
        QVERIFY(contains(outline, {73, 24}));
        QVERIFY(contains(outline, {74, 23}));
        QVERIFY(!contains(outline, {74, 25}));
        QVERIFY(contains(outline, {74, 2}));
        QVERIFY(contains(outline, {2, 25}));
        // Every pixel once, each one a neighbour of the one before (a closed walk).
        for (std::size_t i = 1; i < outline.size(); ++i) {
            const QPoint step = outline[i] - outline[i - 1];
            QVERIFY2(std::abs(step.x()) <= 1 && std::abs(step.y()) <= 1, "outline has a gap");
        }

        QImage solid = canvas(75, 26);
        QImage dotted = canvas(75, 26);
        {
            QPainter painter(&solid);
            win::drawRoundRect(painter, QRect(0, 0, 75, 26), 7, Qt::black, false);
        }
        {
            QPainter painter(&dotted);
            win::drawRoundRect(painter, QRect(0, 0, 75, 26), 7, Qt::black, true);
        }
        int solidCount = 0;
        int dottedCount = 0;
        for (int y = 0; y < 26; ++y) {
            for (int x = 0; x < 75; ++x) {
                solidCount += at(solid, x, y) == Qt::black;
                dottedCount += at(dotted, x, y) == Qt::black;
            }
        }
        QCOMPARE(solidCount, static_cast<int>(outline.size()));
        QCOMPARE(dottedCount, (solidCount + 1) / 2);
        QCOMPARE(at(dotted, 3, 0), QColor(Qt::black)); // the walk starts on the top edge
        QCOMPARE(at(dotted, 4, 0), kCanvas);
    }

    void roundRegionCoversWhatRoundRectDrawsOnARectOneSmaller()
    {
        const QRegion region = win::roundRectRegion(QRect(0, 0, 76, 27), 7);
        QCOMPARE(region.boundingRect(), QRect(0, 0, 75, 26));
        for (const QPoint cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(74, 25),
                                 QPoint(73, 25), QPoint(74, 24), QPoint(74, 0), QPoint(0, 25)}) {
            QVERIFY2(
                !region.contains(cut),
                qPrintable(QStringLiteral("(%1, %2) should be cut").arg(cut.x()).arg(cut.y())));
        }
        for (const QPoint kept : {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(37, 13),
                                  QPoint(72, 25), QPoint(74, 23)}) {
            QVERIFY(region.contains(kept));
        }
        QVERIFY(win::roundRectRegion(QRect(0, 0, 1, 1), 7).isEmpty());
    }
};

QTEST_MAIN(WinDrawTest)
#include "win_draw_test.moc"
