#include "ui/search/result_windows.h"

#include "core/gis/export_selection.h"
#include "core/search/map_sheet_sort.h"
#include "ui/search/geopackage_export_command.h"

namespace ft::search {

ParcelResultWindow::ParcelResultWindow(ResultWindowServices services, QWidget* parent)
    : ResultWindow("findChiban2F", HeadingClicks::Sort, std::move(services), parent)
{
    if (!hasGeoPackageExport())
        return;
    addListCommand(kGeoPackageExportText, [this] {
        if (refuseWhenCatalogueChanged())
            return;
        exportToGeoPackage(*this, operatorInterface(), gis::tickedParcels(rowKeys()),
                           currentDatum());
    });
}

void ParcelResultWindow::SetQuery(std::string statement, std::filesystem::path requestFolder)
{
    storeQuery(std::move(statement), std::move(requestFolder));
}

void ParcelResultWindow::writeRequest(formats::RequestWriter& out)
{
    writeResultRequest(rowKeys(), out);
}

MapSheetResultWindow::MapSheetResultWindow(ResultWindowServices services, QWidget* parent)
    : ResultWindow("findMap2F", HeadingClicks::Sort, std::move(services), parent)
{
}

void MapSheetResultWindow::SetQuery(std::string statement, std::filesystem::path requestFolder)
{
    storeQuery(std::move(statement), std::move(requestFolder));
}

void MapSheetResultWindow::writeRequest(formats::RequestWriter& out)
{
    writeResultRequest(rowKeys(), out);
}

void MapSheetResultWindow::headingClicked(int column)
{
    m_sortColumn = column;
    if (const auto less = mapSheetKeyOrder(column))
        model().sortRows(*less);
}

PointResultWindow::PointResultWindow(ResultWindowServices services, QWidget* parent)
    : CodedResultWindow("findTen2F", HeadingClicks::Sort, std::move(services), parent)
{
}

DrawingListWindow::DrawingListWindow(ResultWindowServices services, QWidget* parent)
    : CodedResultWindow("allFileListF", HeadingClicks::Sort, std::move(services), parent)
{
    if (!hasGeoPackageExport())
        return;
    addListCommand(kGeoPackageExportText, [this] {
        if (refuseWhenCatalogueChanged())
            return;
        exportToGeoPackage(*this, operatorInterface(), gis::tickedDrawings(rowKeys()),
                           currentDatum());
    });
}

} // namespace ft::search
