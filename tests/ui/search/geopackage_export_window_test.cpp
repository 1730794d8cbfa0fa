// GeoPackageに出力… in the context menu of the parcel list and of the
// registered drawing list: the ticked rows go to the file the person picks.
#include "ui/search/geopackage_export_command.h"
#include "ui/search/result_list_view.h"
#include "ui/search/result_windows.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"
#include "core/gis/gdal_runtime.h"
#include "devtools/temp_folder.h"
#include "support/scripted_operator.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace ft::search;
using ft::formats::kRegisteredDrawingRecord;
namespace fs = std::filesystem;

namespace {

const fs::path kWakaba = fs::path(FT_SAMPLES_DIR) / "wakaba-datum2/WAKABA";

void triggerExport(const ResultListWindow& window)
{
    for (QAction* action : window.listView()->actions())
        if (action->text() == kGeoPackageExportText)
            return action->trigger();
    QFAIL("no GeoPackage entry in the list's context menu");
}

// Shows the window modally; `whileShown` acts in it, then it is closed.
void showAndRun(ResultListWindow& window, const std::function<void()>& whileShown)
{
    QTimer::singleShot(0, &window, [&] {
        whileShown();
        window.reject();
    });
    window.ShowModal();
}

} // namespace

class GeoPackageExportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theListsExportTheirTickedRows();
};

void GeoPackageExportWindowTest::theListsExportTheirTickedRows()
{
    ft::test::TempFolder folder;
    ft::catalogue::TSQLiteDatabase db((folder / "c.db").string());
    ft::catalogue::CreateSchemaIfMissing(db);
    db.ExecSQL("INSERT INTO FILE VALUES ('" + kWakaba.string() + "','t',1,'','',9,2)");
    for (const char* lot : {"201", "201-2"})
        db.ExecSQL(std::string("INSERT INTO CHIBAN VALUES ('大字若葉','字上川','") + lot +
                   "',1,'','',201,0,0,1)");
    ft::test::ScriptedOperator op;
    const ResultWindowServices services{op, [&]() -> ft::catalogue::TSQLiteDatabase& { return db; },
                                        [] { return ft::workspace::Datum::World; }};

    ParcelResultWindow parcels(services);
    parcels.SetQuery("SELECT * FROM CHIBAN ", folder.path());
    op.fileToWrite = folder / "parcels"; // the extension is added
    showAndRun(parcels, [&] {
        parcels.listModel()->setAllTicked(false); // parcel rows start ticked
        triggerExport(parcels);                   // nothing ticked: nothing asked
        parcels.listModel()->setTicked(1, true);
        triggerExport(parcels);
    });
    QCOMPARE(op.prompts, (QStringList{QStringLiteral("GeoPackageに出力"),
                                      QDir::home().filePath(QStringLiteral("WAKABA.gpkg"))}));
    QCOMPARE(op.notices.size(), 2);
    QCOMPARE(op.notices[0], QStringLiteral("No row is ticked"));
    QVERIFY2(op.notices[1].contains(QStringLiteral("  parcels (parcels): 1 records")),
             qPrintable(op.notices[1]));
    QVERIFY(fs::exists(folder / "parcels.gpkg"));

    DrawingListWindow drawings(services);
    drawings.SetQuery(kRegisteredDrawingRecord, "SELECT * FROM FILE", folder.path());
    op.fileToWrite = folder / "drawings.gpkg";
    op.fileToWriteFilter = 1; // the world datum as JGD2000, as --jgd2000 writes it
    showAndRun(drawings, [&] {
        drawings.listModel()->setTicked(0, true);
        triggerExport(drawings);
    });
    QVERIFY(op.errors.isEmpty());
    QCOMPARE(op.notices.size(), 3);
    QVERIFY2(op.notices[2].contains(QStringLiteral("  parcels (parcels): 42 records")),
             qPrintable(op.notices[2]));
    QVERIFY(
        op.notices[2].contains(QStringLiteral("  boundary points (boundary_points): 56 records")));
    QCOMPARE(op.writeFilters.size(), 2);
    QVERIFY(op.writeFilters[1].contains(QStringLiteral("JGD2000")));
    QVERIFY2(op.notices[2].contains(QStringLiteral("(EPSG:2451)")), qPrintable(op.notices[2]));
}

int main(int argc, char** argv)
{
    const ft::gis::GdalRuntime gdal; // released after the windows, as findTavla does
    QApplication application(argc, argv);
    GeoPackageExportWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "geopackage_export_window_test.moc"
