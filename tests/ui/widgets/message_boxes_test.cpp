// The message boxes of the desktop program: each kind of message in its kind
// of box under the program's whole name, and a failure told by a Japanese
// sentence first, with a library's or the catalogue layer's text after it
// unchanged.

#include "core/catalogue/sqlite_database.h"
#include "core/platform/disk_full.h"
#include "core/platform/operator_message.h"
#include "ui/widgets/error_report.h"
#include "ui/widgets/qt_operator.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <system_error>

namespace {

using ft::platform::Operator;

struct ShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    int width = 0;
};

// Shows what `show` raises and reads the box before closing it.
ShownBox shownBy(const std::function<void()>& show)
{
    ShownBox shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        shown = {box->icon(), box->windowTitle(), box->text(), box->width()};
        box->done(QMessageBox::No);
    });
    show();
    return shown;
}

bool startsInJapanese(const QString& text)
{
    const QString first = text.section(QStringLiteral("\n\n"), 0, 0);
    return std::any_of(first.begin(), first.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachKindInItsBoxUnderTheWholeTitle_data();
    void eachKindInItsBoxUnderTheWholeTitle();
    void aFailureSaysFirstInJapaneseWhatFailed_data();
    void aFailureSaysFirstInJapaneseWhatFailed();
};

void MessageBoxesTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("findTavla"));
    QVERIFY(ft::platform::loadJapaneseTexts(*QCoreApplication::instance()));
}

void MessageBoxesTest::eachKindInItsBoxUnderTheWholeTitle_data()
{
    using Show = std::function<void(ft::app::QtOperator&)>;
    QTest::addColumn<Show>("show");
    QTest::addColumn<QMessageBox::Icon>("icon");
    const QString text = QStringLiteral("見つかりません");
    QTest::newRow("question") << Show([=](auto& op) { op.askYesNo(text); })
                              << QMessageBox::Question;
    QTest::newRow("warning question")
        << Show([=](auto& op) { op.askYesNo(text, Operator::Icon::Warning); })
        << QMessageBox::Warning;
    QTest::newRow("plain notice") << Show([=](auto& op) { op.notify(text); })
                                  << QMessageBox::NoIcon;
    QTest::newRow("information") << Show([=](auto& op) {
        op.notify(text, Operator::Notice::Information);
    }) << QMessageBox::Information;
    QTest::newRow("warning") << Show([=](auto& op) { op.notify(text, Operator::Notice::Warning); })
                             << QMessageBox::Warning;
    QTest::newRow("error") << Show([=](auto& op) { op.reportError(text); })
                           << QMessageBox::Critical;
}

void MessageBoxesTest::eachKindInItsBoxUnderTheWholeTitle()
{
    using Show = std::function<void(ft::app::QtOperator&)>;
    QFETCH(Show, show);
    QFETCH(QMessageBox::Icon, icon);
    ft::app::QtOperator op;
    const ShownBox box = shownBy([&] { show(op); });
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.title, QStringLiteral("findTavla"));
    // Room for the whole title beside the title bar's icon and buttons.
    QFont bold = QApplication::font();
    bold.setBold(true);
    QVERIFY2(box.width > QFontMetrics(bold).horizontalAdvance(box.title) + 100,
             qPrintable(QString::number(box.width)));
}

void MessageBoxesTest::aFailureSaysFirstInJapaneseWhatFailed_data()
{
    using Raise = std::function<void()>;
    QTest::addColumn<Raise>("raise");
    QTest::addColumn<QString>("detail"); // empty: the sentence says it whole

    const std::string malformed = "Error executing SQL statement.\rError [11]: The database disk "
                                  "image is malformed";
    QTest::newRow("damaged catalogue")
        << Raise([=] { throw ft::catalogue::ESQLiteException(malformed); })
        << QStringLiteral("Error executing SQL statement.\nError [11]: The database disk image "
                          "is malformed");
    QTest::newRow("catalogue busy")
        << Raise([] { throw ft::catalogue::ECatalogueBusy("/d/Dorsawrd.db"); }) << QString();
    QTest::newRow("full disk") << Raise([] { throw ft::platform::DiskFull("/d/findTavla.zu2"); })
                               << QString();
    const std::system_error library(std::make_error_code(std::errc::permission_denied), "x");
    QTest::newRow("library") << Raise([=] { throw library; }) << QString::fromUtf8(library.what());
}

void MessageBoxesTest::aFailureSaysFirstInJapaneseWhatFailed()
{
    using Raise = std::function<void()>;
    QFETCH(Raise, raise);
    QFETCH(QString, detail);
    ft::app::QtOperator op;
    const ShownBox box = shownBy([&] { ft::app::runCommand(op, raise); });
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(startsInJapanese(box.text), qPrintable(box.text));
    if (detail.isEmpty())
        QVERIFY2(!box.text.contains(QStringLiteral("\n\n")), qPrintable(box.text));
    else
        QVERIFY2(box.text.endsWith(QStringLiteral("\n\n") + detail), qPrintable(box.text));
}

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
