#include "core/search/result_request.h"

#include "core/catalogue/catalogue_database.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ft::search {
namespace {

enum class DrawingOrder { Ascending, Descending };

// Rows whose texts are read per block when the items are written: enough
// that the rows of a drawing are read in a few passes along the table. A
// block ends where a drawing does, up to kItemBlockMostRows: the rows of a
// drawing lie together in the table but not in list order, so a drawing cut
// in two would be read along its whole length twice.
constexpr std::size_t kItemBlockRows = 8192;
constexpr std::size_t kItemBlockMostRows = 8 * kItemBlockRows;

// The positions of the ticked rows, in order of drawing number; rows of one
// drawing keep their list order.
template <class List> std::vector<int> tickedByDrawing(const List& rows)
{
    std::vector<int> ticked;
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.item(row).Ticked)
            ticked.push_back(row);
    }
    std::stable_sort(ticked.begin(), ticked.end(),
                     [&rows](int a, int b) { return rows.item(a).FILENO < rows.item(b).FILENO; });
    return ticked;
}

// PATH by FILENO, as "SELECT * FROM FILE WHERE FILENO=<n>" would find it:
// numbers stored as integers only, the first row of a number in table order.
std::unordered_map<int, std::string> drawingPaths(catalogue::CatalogueDatabase& db)
{
    std::unordered_map<int, std::string> paths;
    catalogue::ResultCursor rows = db.OpenCursor("SELECT FILENO,PATH FROM FILE");
    while (rows.Step()) {
        if (!rows.HoldsInteger(0))
            continue;
        const std::int64_t fileNo = rows.Integer(0);
        if (fileNo >= std::numeric_limits<int>::min() && fileNo <= std::numeric_limits<int>::max())
            paths.try_emplace(static_cast<int>(fileNo), rows.Fields(1));
    }
    return paths;
}

// One record 0 per run of equal drawing numbers; the positions come sorted.
template <class List, class Iterator>
void writeDrawings(const List& rows, Iterator first, Iterator last,
                   catalogue::CatalogueDatabase& db, formats::RequestWriter& out)
{
    if (first == last)
        return;
    const std::unordered_map<int, std::string> paths = drawingPaths(db);
    std::optional<int> previous;
    for (; first != last; ++first) {
        const int fileNo = rows.item(*first).FILENO;
        if (previous != fileNo) {
            const auto path = paths.find(fileNo);
            if (path == paths.end())
                throw catalogue::CatalogueError(catalogue::RowGoneMessage(),
                                                "Field PATH Not found. Empty dataset");
            out.writeDrawing(path->second);
        }
        previous = fileNo;
    }
}

template <class List>
std::vector<int> writeDrawingRecords(const List& rows, DrawingOrder order,
                                     catalogue::CatalogueDatabase& db, formats::RequestWriter& out)
{
    std::vector<int> ticked = tickedByDrawing(rows);
    if (order == DrawingOrder::Ascending)
        writeDrawings(rows, ticked.begin(), ticked.end(), db, out);
    else
        writeDrawings(rows, ticked.rbegin(), ticked.rend(), db, out);
    return ticked;
}

template <class Row, class WriteItem>
void writeRequestOf(const TskDataList<Row>& rows, DrawingOrder order,
                    catalogue::CatalogueDatabase& db, formats::RequestWriter& out,
                    WriteItem writeItem)
{
    const std::vector<int> ticked = writeDrawingRecords(rows, order, db, out);
    for (auto row = ticked.rbegin(); row != ticked.rend(); ++row)
        writeItem(rows.item(*row));
}

// The request lines of a block of keys, each at its key's place: the rows
// are read in rowid order, the lines written in the order of the keys. A
// line that cannot be made is refused when its turn comes, as if the lines
// were made in key order: a gone row before it is reported instead.
class BlockLines {
public:
    void clear(std::size_t keys)
    {
        m_text.clear();
        m_lines.assign(keys, {});
    }

    // The line `append` adds, as the line of key `slot`.
    template <class Append> void add(std::size_t slot, Append append)
    {
        Line& line = m_lines[slot];
        line.start = m_text.size();
        try {
            append(m_text);
        } catch (...) {
            m_text.resize(line.start);
            line.refusal = std::current_exception();
        }
        line.length = m_text.size() - line.start;
        line.found = true;
    }

    // The lines in key order; a key without one is gone. Once a key is gone,
    // nothing more is written, since the request will be abandoned.
    long long write(formats::RequestWriter& out, long long goneBefore) const
    {
        long long gone = goneBefore;
        for (const Line& line : m_lines) {
            if (!line.found)
                ++gone;
            else if (gone == 0 && line.refusal)
                std::rethrow_exception(line.refusal);
            else if (gone == 0)
                out.writeLines(std::string_view(m_text).substr(line.start, line.length));
        }
        return gone;
    }

private:
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;
        bool found = false;
        std::exception_ptr refusal;
    };
    std::string m_text;
    std::vector<Line> m_lines;
};

// What each kind of row hands over: the fields read (RequestedFields), and
// the line the cursor's row makes of them (field i in column i + 1).
struct ParcelItems {
    std::span<const std::string_view> fields() const
    {
        return RequestedFields(ResultKind::Parcels);
    }
    std::string spare[3];
    void append(formats::RequestLines& lines, std::string& to, const catalogue::ResultCursor& row)
    {
        lines.appendParcel(to, TextCell(row, 1, spare[0]), TextCell(row, 2, spare[1]),
                           TextCell(row, 3, spare[2]));
    }
};

struct MapSheetItems {
    std::span<const std::string_view> fields() const
    {
        return RequestedFields(ResultKind::MapSheets);
    }
    std::string spare;
    void append(formats::RequestLines& lines, std::string& to, const catalogue::ResultCursor& row)
    {
        lines.appendMapSheet(to, TextCell(row, 1, spare), IntCell(row, 2), IntCell(row, 3));
    }
};

// Points and registered drawings: "<code>,name,".
struct NameItems {
    ResultKind kind;
    int code;
    std::string spare;
    std::span<const std::string_view> fields() const { return RequestedFields(kind); }
    void append(formats::RequestLines& lines, std::string& to, const catalogue::ResultCursor& row)
    {
        lines.appendNameRecord(to, code, TextCell(row, 1, spare));
    }
};

// The item records of listed rows: their texts are read a block at a time in
// the order they are written. Gone rows are counted to the end, then
// reported.
template <class Row, class Items>
void writeRequestOf(const ResultRowKeys<Row>& rows, DrawingOrder order, formats::RequestWriter& out,
                    Items items)
{
    if (rows.catalogue == nullptr)
        return;
    const std::vector<int> ticked = writeDrawingRecords(rows.keys, order, *rows.catalogue, out);
    long long gone = 0;
    std::vector<typename Row::Key> block;
    BlockLines lines;
    for (auto next = ticked.rbegin(); next != ticked.rend();) {
        block.clear();
        for (; next != ticked.rend() && block.size() < kItemBlockMostRows; ++next) {
            const typename Row::Key& key = rows.keys.item(*next);
            if (block.size() >= kItemBlockRows && key.FILENO != block.back().FILENO)
                break;
            block.push_back(key);
        }
        lines.clear(block.size());
        ForEachRowById<typename Row::Key>(
            *rows.catalogue, rows.table, block, items.fields(),
            [&](std::size_t slot, const catalogue::ResultCursor& row) {
                lines.add(slot, [&](std::string& to) { items.append(out.lines(), to, row); });
            });
        gone = lines.write(out, gone);
    }
    if (gone > 0)
        throw RowsGoneError(gone);
}

void writeParcel(formats::RequestWriter& out, const ParcelRow& row)
{
    out.writeParcel(row.OOAZA, row.KOAZA, row.CHIBAN);
}

void writeMapSheet(formats::RequestWriter& out, const MapSheetRow& row)
{
    out.writeMapSheet(row.MAPNAME, row.SCALE, row.KUBUN);
}

} // namespace

RowsGoneError::RowsGoneError(long long goneRows)
    : platform::MessageError(platform::Message(
          QT_TRANSLATE_NOOP("findTavla", "%1 of the chosen rows are gone: another registration "
                                         "deleted them. Search again."),
          {QString::number(goneRows)})),
      m_goneRows(goneRows)
{
}

void writeResultRequest(const TskDataList<ParcelRow>& rows, catalogue::CatalogueDatabase& db,
                        formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Ascending, db, out,
                   [&out](const ParcelRow& row) { writeParcel(out, row); });
}

void writeResultRequest(const TskDataList<MapSheetRow>& rows, catalogue::CatalogueDatabase& db,
                        formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Descending, db, out,
                   [&out](const MapSheetRow& row) { writeMapSheet(out, row); });
}

void writeResultRequest(const TskDataList<PointRow>& rows, int recordCode,
                        catalogue::CatalogueDatabase& db, formats::RequestWriter& out)
{
    writeRequestOf(
        rows, DrawingOrder::Descending, db, out,
        [&out, recordCode](const PointRow& row) { out.writeNameRecord(recordCode, row.TENNAME); });
}

void writeResultRequest(const TskDataList<DrawingRow>& rows, int recordCode,
                        catalogue::CatalogueDatabase& db, formats::RequestWriter& out)
{
    writeRequestOf(
        rows, DrawingOrder::Descending, db, out,
        [&out, recordCode](const DrawingRow& row) { out.writeNameRecord(recordCode, row.PATH); });
}

void writeResultRequest(const ResultRowKeys<ParcelRow>& rows, formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Ascending, out, ParcelItems{});
}

void writeResultRequest(const ResultRowKeys<MapSheetRow>& rows, formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Descending, out, MapSheetItems{});
}

void writeResultRequest(const ResultRowKeys<PointRow>& rows, int recordCode,
                        formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Descending, out,
                   NameItems{ResultKind::Points, recordCode, {}});
}

void writeResultRequest(const ResultRowKeys<DrawingRow>& rows, int recordCode,
                        formats::RequestWriter& out)
{
    writeRequestOf(rows, DrawingOrder::Descending, out,
                   NameItems{ResultKind::Drawings, recordCode, {}});
}

} // namespace ft::search
