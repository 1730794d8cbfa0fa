#include "ui/search/geopackage_export_command.h"

#include "core/gis/geopackage_export.h"
#include "core/platform/operator.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QStringList>

namespace ft::search {
namespace {

// The name the file dialog starts with: the drawing's own name when there is
// one drawing, in the home folder (the data may lie on a read-only disc).
QString suggestedFile(const gis::ExportSelection& selection)
{
    QString name = QStringLiteral("findTavla");
    if (selection.drawings.size() == 1)
        name = QFile::decodeName(
            std::filesystem::path(selection.drawings.front().path).filename().string().c_str());
    return QDir::home().filePath(name + QStringLiteral(".gpkg"));
}

std::filesystem::path withGpkgExtension(std::filesystem::path file)
{
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension != ".gpkg")
        file += ".gpkg";
    return file;
}

// The file types of the save dialog: the world datum is written as JGD2011
// or, for data that must match older maps, as JGD2000.
QStringList fileTypes(workspace::Datum datum)
{
    if (datum == workspace::Datum::Japanese)
        return {QStringLiteral("GeoPackage 日本測地系 (*.gpkg)")};
    return {QStringLiteral("GeoPackage 世界測地系 JGD2011 (*.gpkg)"),
            QStringLiteral("GeoPackage 世界測地系 JGD2000 (*.gpkg)")};
}

QString reportText(const gis::ExportReport& report)
{
    QStringList lines;
    for (const std::string& line : gis::summaryLines(report))
        lines << QString::fromStdString(line);
    for (const std::string& line : gis::refusalLines(report))
        lines << QString::fromStdString(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

bool hasGeoPackageExport()
{
    return true;
}

void exportToGeoPackage(QWidget& parent, platform::Operator& op,
                        const gis::ExportSelection& selection, workspace::Datum datum)
{
    if (selection.drawings.empty() && selection.unregistered.empty()) {
        op.notify(platform::Message(QT_TRANSLATE_NOOP("findTavla", "No row is ticked")).text());
        return;
    }
    const std::optional<platform::Operator::FileToWrite> chosen = op.pickFileToWrite(
        QStringLiteral("GeoPackageに出力"), fileTypes(datum), suggestedFile(selection));
    if (!chosen)
        return;

    QProgressDialog progress(
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "Exporting to GeoPackage…")).text(),
        platform::Message(QT_TRANSLATE_NOOP("findTavla", "Cancel")).text(), 0,
        static_cast<int>(selection.drawings.size()), &parent);
    progress.setObjectName(QStringLiteral("geoPackageProgress"));
    progress.setWindowTitle(QStringLiteral("GeoPackageに出力"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    gis::ExportOptions options;
    options.datum = datum;
    if (datum == workspace::Datum::World && chosen->filter == 1)
        options.world = gis::WorldDatumRealisation::Jgd2000;
    const gis::ExportReport report =
        gis::exportGeoPackage(selection, withGpkgExtension(chosen->path), options,
                              [&](std::size_t done, std::size_t total) {
                                  progress.setMaximum(static_cast<int>(total));
                                  progress.setValue(static_cast<int>(done));
                                  return !progress.wasCanceled();
                              });
    progress.reset();
    op.notify(reportText(report));
}

} // namespace ft::search
