#include "core/search/result_request.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ft::search {
namespace {

enum class DrawingOrder { Ascending, Descending };

template <class Row> std::vector<const Row*> tickedByDrawing(const TskDataList<Row>& rows)
{
    std::vector<const Row*> ticked;
    for (const Row& row : rows)
        if (row.Ticked)
            ticked.push_back(&row);
    std::stable_sort(ticked.begin(), ticked.end(),
                     [](const Row* a, const Row* b) { return a->FILENO < b->FILENO; });
    return ticked;
}

// One record 0 per run of equal drawing numbers; the rows come sorted.
template <class Iterator>
void writeDrawings(Iterator first, Iterator last, catalogue::TSQLiteDatabase& db,
                   RequestWriter& out)
{
    std::optional<int> previous;
    for (; first != last; ++first) {
        const int fileNo = (*first)->FILENO;
        if (previous != fileNo)
            out.writeDrawing(db, fileNo);
        previous = fileNo;
    }
}

template <class Row, class WriteItem>
void writeRequestOf(const TskDataList<Row>& rows, DrawingOrder order,
                    catalogue::TSQLiteDatabase& db, RequestWriter& out, WriteItem writeItem)
{
    const std::vector<const Row*> ticked = tickedByDrawing(rows);
    if (order == DrawingOrder::Ascending)
        writeDrawings(ticked.begin(), ticked.end(), db, out);
    else
        writeDrawings(ticked.rbegin(), ticked.rend(), db, out);
    for (auto row = ticked.rbegin(); row != ticked.rend(); ++row)
        writeItem(**row);
}

} // namespace

void writeResultRequest(const TskDataList<ParcelRow>& rows, catalogue::TSQLiteDatabase& db,
                        RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Ascending, db, out, [&out](const ParcelRow& row) {
        out.writeParcel(row.OOAZA, row.KOAZA, row.CHIBAN);
    });
}

void writeResultRequest(const TskDataList<MapSheetRow>& rows, catalogue::TSQLiteDatabase& db,
                        RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Descending, db, out, [&out](const MapSheetRow& row) {
        out.writeMapSheet(row.MAPNAME, row.SCALE, row.KUBUN);
    });
}

void writeResultRequest(const TskDataList<PointRow>& rows, int recordCode,
                        catalogue::TSQLiteDatabase& db, RequestWriter& out)
{
    writeRequestOf(
        rows, DrawingOrder::Descending, db, out,
        [&out, recordCode](const PointRow& row) { out.writeNameRecord(recordCode, row.TENNAME); });
}

void writeResultRequest(const TskDataList<DrawingRow>& rows, int recordCode,
                        catalogue::TSQLiteDatabase& db, RequestWriter& out)
{
    writeRequestOf(
        rows, DrawingOrder::Descending, db, out,
        [&out, recordCode](const DrawingRow& row) { out.writeNameRecord(recordCode, row.PATH); });
}

} // namespace ft::search
