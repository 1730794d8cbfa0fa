#pragma once

// What an export takes from the catalogue: registered drawings, each whole
// or with only some of its parcels.

#include "core/search/result_rows.h"

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace ft::catalogue {
class CatalogueDatabase;
}

namespace ft::gis {

// A parcel as the catalogue finds it: oaza, koaza and the lot number folded
// to half width (dataset::foldedLot), all CP932 as the survey files hold them.
using ParcelKey = std::tuple<std::string, std::string, std::string>;
using ParcelKeys = std::set<ParcelKey>;

struct ExportDrawing {
    int fileNo = 0;
    // The registered path (PATH of the FILE row): the header's path without
    // its extension, UTF-8.
    std::string path;
    // Only these parcels, the grouped parcels of the same keys and the
    // drawing's own row; unset exports the whole drawing.
    std::optional<ParcelKeys> parcels;
};

struct ExportSelection {
    std::vector<ExportDrawing> drawings; // in drawing number order
    std::vector<int> unregistered;       // numbers asked for without a FILE row
};

// Every registered drawing of the catalogue.
ExportSelection allRegisteredDrawings(catalogue::CatalogueDatabase& db);
// The drawings of these numbers (each once).
ExportSelection registeredDrawingsNumbered(catalogue::CatalogueDatabase& db,
                                           const std::vector<int>& numbers);
// The ticked rows of the registered drawing list, whole.
ExportSelection tickedDrawings(const search::TskDataList<search::DrawingRow>& rows);
// The drawings of the ticked parcel rows, each with those parcels only.
// Throws platform::EncodingError for catalogue text CP932 cannot hold.
ExportSelection tickedParcels(catalogue::CatalogueDatabase& db,
                              const search::TskDataList<search::ParcelRow>& rows);

// The same for a window's row keys: the texts of the ticked rows are read
// from the catalogue that listed them. Ticked rows gone from it since raise
// search::RowsGoneError.
ExportSelection tickedDrawings(const search::ResultRowKeys<search::DrawingRow>& rows);
ExportSelection tickedParcels(const search::ResultRowKeys<search::ParcelRow>& rows);

} // namespace ft::gis
