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

#include "core/search/request_file.h"
#include "core/search/result_rows.h"

namespace ft::search {

// Parcels: "2,oaza,koaza,lot".
void writeResultRequest(const TskDataList<ParcelRow>& rows, catalogue::TSQLiteDatabase& db,
                        RequestWriter& out);
// Map sheets: "2,sheet,scale,kubun".
void writeResultRequest(const TskDataList<MapSheetRow>& rows, catalogue::TSQLiteDatabase& db,
                        RequestWriter& out);
// Points: "<recordCode>,name," with 4 for boundary and 5 for control points.
void writeResultRequest(const TskDataList<PointRow>& rows, int recordCode,
                        catalogue::TSQLiteDatabase& db, RequestWriter& out);
// Registered drawings: "<recordCode>,path," with code 1.
void writeResultRequest(const TskDataList<DrawingRow>& rows, int recordCode,
                        catalogue::TSQLiteDatabase& db, RequestWriter& out);

} // namespace ft::search
