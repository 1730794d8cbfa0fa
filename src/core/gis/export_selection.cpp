#include "core/gis/export_selection.h"

#include "core/dataset/data_set_links.h"
#include "core/platform/cp932.h"
#include "core/search/result_request.h"
#include "core/search/search_statements.h"

#include <algorithm>
#include <map>

namespace ft::gis {
namespace {

// Drawing number → registered path, one query for the lot.
std::map<int, std::string> registeredPaths(catalogue::CatalogueDatabase& db)
{
    search::TskDataList<search::DrawingRow> rows;
    search::LoadRows(db, search::registeredDrawingsStatement(), rows);
    std::map<int, std::string> paths;
    for (const search::DrawingRow& row : rows)
        paths.emplace(row.FILENO, row.PATH);
    return paths;
}

ExportSelection selectNumbered(const std::map<int, std::string>& paths,
                               std::map<int, std::optional<ParcelKeys>> wanted)
{
    ExportSelection selection;
    for (auto& [fileNo, parcels] : wanted) {
        const auto found = paths.find(fileNo);
        if (found == paths.end())
            selection.unregistered.push_back(fileNo);
        else
            selection.drawings.push_back({fileNo, found->second, std::move(parcels)});
    }
    return selection;
}

// The ticked rows of a window's keys, with the texts a request would read;
// rows gone from the catalogue since the window listed them are refused as
// they are for 図面表示.
template <class Row> search::TskDataList<Row> tickedRowsOf(const search::ResultRowKeys<Row>& rows)
{
    search::TskDataList<Row> ticked;
    if (rows.catalogue == nullptr)
        return ticked;
    std::vector<typename Row::Key> keys;
    for (const typename Row::Key& key : rows.keys)
        if (key.Ticked)
            keys.push_back(key);
    long long gone = 0;
    for (std::optional<Row>& row : search::ReadRowsById<Row>(*rows.catalogue, rows.table, keys,
                                                             search::RowFields::Requested)) {
        if (!row) {
            ++gone;
            continue;
        }
        row->Ticked = true;
        ticked.append(std::move(*row));
    }
    if (gone > 0)
        throw search::RowsGoneError(gone);
    return ticked;
}

} // namespace

ExportSelection allRegisteredDrawings(catalogue::CatalogueDatabase& db)
{
    ExportSelection selection;
    for (auto& [fileNo, path] : registeredPaths(db))
        selection.drawings.push_back({fileNo, std::move(path), std::nullopt});
    return selection;
}

ExportSelection registeredDrawingsNumbered(catalogue::CatalogueDatabase& db,
                                           const std::vector<int>& numbers)
{
    std::map<int, std::optional<ParcelKeys>> wanted;
    for (const int fileNo : numbers)
        wanted.emplace(fileNo, std::nullopt);
    return selectNumbered(registeredPaths(db), std::move(wanted));
}

ExportSelection tickedDrawings(const search::TskDataList<search::DrawingRow>& rows)
{
    std::map<int, std::string> ticked;
    for (const search::DrawingRow& row : rows)
        if (row.Ticked)
            ticked.emplace(row.FILENO, row.PATH);
    ExportSelection selection;
    for (auto& [fileNo, path] : ticked)
        selection.drawings.push_back({fileNo, std::move(path), std::nullopt});
    return selection;
}

ExportSelection tickedParcels(catalogue::CatalogueDatabase& db,
                              const search::TskDataList<search::ParcelRow>& rows)
{
    std::map<int, std::optional<ParcelKeys>> wanted;
    for (const search::ParcelRow& row : rows) {
        if (!row.Ticked)
            continue;
        std::optional<ParcelKeys>& keys = wanted[row.FILENO];
        if (!keys)
            keys.emplace();
        // The catalogue holds the lot number folded already; folding again
        // changes nothing and matches the survey file's spelling.
        keys->insert({platform::utf8ToCp932(row.OOAZA), platform::utf8ToCp932(row.KOAZA),
                      dataset::foldedLot(platform::utf8ToCp932(row.CHIBAN))});
    }
    if (wanted.empty())
        return {};
    return selectNumbered(registeredPaths(db), std::move(wanted));
}

ExportSelection tickedDrawings(const search::ResultRowKeys<search::DrawingRow>& rows)
{
    return tickedDrawings(tickedRowsOf(rows));
}

ExportSelection tickedParcels(const search::ResultRowKeys<search::ParcelRow>& rows)
{
    if (rows.catalogue == nullptr)
        return {};
    return tickedParcels(*rows.catalogue, tickedRowsOf(rows));
}

} // namespace ft::gis
