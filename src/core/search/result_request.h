#pragma once

// The viewer request of a result list's 図面表示: the drawings of the ticked
// rows, then one item record per ticked row.
//
// The ticked rows are taken in order of drawing number (rows of one drawing
// keep their list order). Each drawing among them gives one record 0: in
// ascending order of number from the parcel list, in descending order from
// the map sheet, point and registered drawing lists. The item records follow
// from the last of those rows to the first, so always in descending order of
// drawing number. Rows with equal values give equal lines; nothing is merged.
// The rows themselves are not reordered.
//
// The drawings' paths are read with one statement over FILE. A ticked row
// whose drawing has no FILE row raises the access layer's "Field PATH Not
// found. Empty dataset", as looking the path up by number does.

#include "core/formats/request_file.h"
#include "core/search/result_rows.h"

#include <stdexcept>

namespace ft::search {

// Ticked rows of a window's list that are no longer in the catalogue (a
// registration by the command-line tool deleted or replaced them while the
// window was open). A marked message for the operator; the request is
// abandoned.
class RowsGoneError : public platform::MessageError {
public:
    explicit RowsGoneError(long long goneRows);
    long long goneRows() const { return m_goneRows; }

private:
    long long m_goneRows;
};

// Requests from rows held whole (the texts are at hand).
// Parcels: "2,oaza,koaza,lot".
void writeResultRequest(const TskDataList<ParcelRow>& rows, catalogue::CatalogueDatabase& db,
                        formats::RequestWriter& out);
// Map sheets: "2,sheet,scale,kubun".
void writeResultRequest(const TskDataList<MapSheetRow>& rows, catalogue::CatalogueDatabase& db,
                        formats::RequestWriter& out);
// Points: "<recordCode>,name," with 4 for boundary and 5 for control points.
void writeResultRequest(const TskDataList<PointRow>& rows, int recordCode,
                        catalogue::CatalogueDatabase& db, formats::RequestWriter& out);
// Registered drawings: "<recordCode>,path," with code 1.
void writeResultRequest(const TskDataList<DrawingRow>& rows, int recordCode,
                        catalogue::CatalogueDatabase& db, formats::RequestWriter& out);

// Requests from a window's keys: the texts of the ticked rows are read from
// the catalogue that listed them, a block of rows at a time, in the order
// they are written. Ticked rows that are gone raise RowsGoneError once all
// are counted (the records before stay written; the request is abandoned).
void writeResultRequest(const ResultRowKeys<ParcelRow>& rows, formats::RequestWriter& out);
void writeResultRequest(const ResultRowKeys<MapSheetRow>& rows, formats::RequestWriter& out);
void writeResultRequest(const ResultRowKeys<PointRow>& rows, int recordCode,
                        formats::RequestWriter& out);
void writeResultRequest(const ResultRowKeys<DrawingRow>& rows, int recordCode,
                        formats::RequestWriter& out);

} // namespace ft::search
