// How a TskButton answers the mouse and the keyboard, and how it closes its dialog.

#include "button_test_support.h"
#include "ui/widgets/system_button.h"
#include "ui/widgets/tsk_button.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace ft::widgets;
using namespace ft::widgets::testing;

namespace {

// A dialog with an edit box and two buttons, shown and active.
struct DialogFixture {
    std::unique_ptr<QDialog> dialog = std::make_unique<QDialog>();
    QLineEdit* edit = new QLineEdit(dialog.get());
    TskButton* first = makeSystemButton(dialog.get(), QStringLiteral("skButton1"),
                                        QStringLiteral("登　録"), QRect(10, 40, 75, 26));
    TskButton* second = makeSystemButton(dialog.get(), QStringLiteral("skButton2"),
                                         QStringLiteral("中　断"), QRect(100, 40, 75, 26));
    QSignalSpy firstClicks{first, &TskButton::clicked};
    QSignalSpy secondClicks{second, &TskButton::clicked};

    DialogFixture()
    {
        edit->setGeometry(10, 5, 165, 24);
        dialog->resize(200, 80);
    }

    bool showActive()
    {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
};

} // namespace

class TskButtonBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void focusSettingsAndCaptionCopies()
    {
        TskButton button;
        QCOMPARE(button.size(), QSize(75, 26));
        QCOMPARE(button.focusPolicy(), Qt::StrongFocus);

        button.setTabStop(false);
        QCOMPARE(button.focusPolicy(), Qt::ClickFocus);
        button.setTakesFocus(false);
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);

        // Assigning one caption to another copies every setting.
        TskButton other;
        other.captionA().setCaption(QStringLiteral("全選択"));
        other.captionA().setAlignment(TskBtnAlignment::taEven);
        other.captionA().setRight(5);
        button.captionB() = other.captionA();
        QCOMPARE(button.captionB().caption(), QStringLiteral("全選択"));
        QCOMPARE(button.captionB().alignment(), TskBtnAlignment::taEven);
        QCOMPARE(button.captionB().right(), 5);
    }

    void enterClicksOnlyTheFocusedButton()
    {
        DialogFixture fixture;
        QVERIFY(fixture.showActive());

        fixture.first->setFocus();
        QTest::keyClick(fixture.first, Qt::Key_Return);
        QCOMPARE(fixture.firstClicks.count(), 1);
        QCOMPARE(fixture.secondClicks.count(), 0);
        // Held modifiers do not stop Enter on the focused button.
        QTest::keyClick(fixture.first, Qt::Key_Enter, Qt::ShiftModifier);
        QCOMPARE(fixture.firstClicks.count(), 2);

        // Enter in the edit box clicks no button and leaves the dialog open.
        fixture.edit->setFocus();
        QTest::keyClick(fixture.edit, Qt::Key_Return);
        QCOMPARE(fixture.firstClicks.count(), 2);
        QCOMPARE(fixture.secondClicks.count(), 0);
        QVERIFY(fixture.dialog->isVisible());
    }

    void escapeClicksTheCancelButtonWhereverTheFocusIs()
    {
        DialogFixture fixture;
        fixture.second->setCancel(true);
        QVERIFY(fixture.showActive());

        fixture.edit->setFocus();
        QTest::keyClick(fixture.edit, Qt::Key_Escape);
        QCOMPARE(fixture.secondClicks.count(), 1);
        fixture.first->setFocus();
        QTest::keyClick(fixture.first, Qt::Key_Escape);
        QCOMPARE(fixture.secondClicks.count(), 2);
        QCOMPARE(fixture.firstClicks.count(), 0);

        // Not with a modifier held, not when disabled, not without HasFocus.
        QTest::keyClick(fixture.first, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(fixture.secondClicks.count(), 2);
        fixture.dialog->show(); // the dialog's own Escape handling may have hidden it
        QVERIFY(QTest::qWaitForWindowActive(fixture.dialog.get()));
        fixture.second->setEnabled(false);
        fixture.edit->setFocus();
        QTest::keyClick(fixture.edit, Qt::Key_Escape);
        QCOMPARE(fixture.secondClicks.count(), 2);
        fixture.dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(fixture.dialog.get()));
        fixture.second->setEnabled(true);
        fixture.second->setTakesFocus(false);
        fixture.edit->setFocus();
        QTest::keyClick(fixture.edit, Qt::Key_Escape);
        QCOMPARE(fixture.secondClicks.count(), 2);
    }

    void spaceDoesNothing()
    {
        DialogFixture fixture;
        QVERIFY(fixture.showActive());
        fixture.first->setFocus();
        QTest::keyPress(fixture.first, Qt::Key_Space);
        QVERIFY(!fixture.first->isPressed());
        QTest::keyRelease(fixture.first, Qt::Key_Space);
        QCOMPARE(fixture.firstClicks.count(), 0);
        QVERIFY(fixture.dialog->isVisible());
    }

    void modalResultClosesTheModalDialog()
    {
        DialogFixture fixture;
        fixture.first->setModalResult(1);
        QSignalSpy finished(fixture.dialog.get(), &QDialog::finished);
        fixture.dialog->open();
        QVERIFY(QTest::qWaitForWindowExposed(fixture.dialog.get()));

        // ModalResult 0 leaves the dialog open.
        QTest::mouseClick(fixture.second, Qt::LeftButton);
        QCOMPARE(fixture.secondClicks.count(), 1);
        QVERIFY(fixture.dialog->isVisible());

        QTest::mouseClick(fixture.first, Qt::LeftButton);
        QCOMPARE(fixture.firstClicks.count(), 1);
        QVERIFY(!fixture.dialog->isVisible());
        QCOMPARE(fixture.dialog->result(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 1);

        // The same through exec(), the way the program's dialogs are run.
        QTimer::singleShot(0, fixture.first, [&] {
            fixture.first->setFocus();
            QTest::keyClick(fixture.first, Qt::Key_Return);
        });
        QCOMPARE(fixture.dialog->exec(), 1);
    }

    void mouseClicksOnReleaseInsideOnly()
    {
        DialogFixture fixture;
        QVERIFY(fixture.showActive());
        TskButton* button = fixture.first;

        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(button->isPressed());
        QVERIFY(button->hasFocus());
        QCOMPARE(fixture.firstClicks.count(), 0);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(!button->isPressed());
        QCOMPARE(fixture.firstClicks.count(), 1);

        // Dragged off and released outside: no click; leaving releases the button.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        QTest::mouseMove(button, QPoint(120, 10));
        QVERIFY(!button->isPressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 10));
        QCOMPARE(fixture.firstClicks.count(), 1);

        // Dragged off and back: it stays released, but a release inside still clicks.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
        QTest::mouseMove(button, QPoint(120, 10));
        QTest::mouseMove(button, QPoint(30, 12));
        QVERIFY(!button->isPressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(fixture.firstClicks.count(), 2);

        // The right button neither presses nor clicks.
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(20, 10));
        QCOMPARE(fixture.firstClicks.count(), 2);
    }

    void buttonWithoutHasFocusNeverTakesTheFocus()
    {
        DialogFixture fixture;
        fixture.first->setTakesFocus(false);
        QVERIFY(fixture.showActive());
        fixture.edit->setFocus();
        QTest::mouseClick(fixture.first, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(fixture.firstClicks.count(), 1);
        QVERIFY(fixture.edit->hasFocus());

        // A focused button shows the focus mark; one without HasFocus never does.
        fixture.second->setFocus();
        const QImage focused = renderWidget(*fixture.second);
        fixture.edit->setFocus();
        QVERIFY(renderWidget(*fixture.second) != focused);
        fixture.second->setFocus();
        fixture.second->setTakesFocus(false);
        QVERIFY(!fixture.second->hasFocus());
    }
};

QTEST_MAIN(TskButtonBehaviourTest)
#include "tsk_button_behaviour_test.moc"
