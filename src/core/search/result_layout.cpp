#include "core/search/result_layout.h"

#include <algorithm>
#include <array>

namespace ft::search {
namespace {

// The lot number sorts by its numeric parts. 種別 tells a parcel record from
// its owner and group records; the owner columns give up the room it takes.
constexpr std::array<ResultColumn, 7> kParcelColumns{{
    {"大字", 170, "OOAZA"},
    {"小字", 170, "KOAZA"},
    {"地番", 150, "CHIBAN", "OYA,KO,MAGO"},
    {"所有者", 175, "SNAME"},
    {"所有者カナ", 155, "KNAME"},
    {"FileNo", 60, "FILENO"},
    {"種別", 55, "MODE"},
}};

constexpr std::array<ResultColumn, 4> kMapSheetColumns{{
    {"図葉番号", 170, "MAPNAME"},
    {"縮尺の分母", 170, "SCALE"},
    {"区分", 150, "KUBUN"},
    {"FileNo", 60, "FILENO"},
}};

constexpr std::array<ResultColumn, 2> kPointColumns{{
    {"点　名", 170, "TENNAME"},
    {"FileNo", 60, "FILENO"},
}};

constexpr std::array<ResultColumn, 5> kDrawingColumns{{
    {"パ　ス", 600, "PATH"},
    {"FileNo", 50, "FILENO"},
    {"作成者", 120, "CREATER"},
    {"地区", 120, "CHIKU"},
    {"測地系", 60, "SOKU"},
}};

// Lot numbers sort numerically through their parts OYA, KO and MAGO; map
// sheets and points by drawing, then by the numeric parts of their names.
// Rows whose keys are all equal follow their rowid, so that the order is the
// same every time the statement runs: a window reads its rows' texts a page
// at a time, and the pages must agree with the list.
// The drawing list keeps the caption of the point window, as it always had.
constexpr std::array<ResultLayout, 4> kLayouts{{
    {"地番検索結果", 959, kParcelColumns, " order by OOAZA,KOAZA,OYA,KO,MAGO,rowid", true},
    {"図葉検索結果", 957, kMapSheetColumns, " order by FILENO,OYA,KO,rowid", true},
    {"点検索結果", 957, kPointColumns, " order by FILENO,OYA,KO,rowid", true},
    {"点検索結果", 957, kDrawingColumns, " order by FILENO,rowid", false},
}};

} // namespace

const ResultLayout& resultLayout(ResultKind kind)
{
    return kLayouts.at(static_cast<std::size_t>(kind));
}

bool sortsByColumn(ResultKind kind)
{
    return kind != ResultKind::MapSheets;
}

std::string columnOrderClause(ResultKind kind, int column, bool descending)
{
    const std::span<const ResultColumn> columns = resultLayout(kind).columns;
    if (!sortsByColumn(kind) || column < 0 || static_cast<std::size_t>(column) >= columns.size())
        return {};
    const ResultColumn& sorted = columns[static_cast<std::size_t>(column)];
    const std::string_view fields = sorted.sortFields.empty() ? sorted.field : sorted.sortFields;
    const std::string_view direction = descending ? " DESC" : "";
    std::string clause = " order by ";
    std::size_t start = 0;
    while (start <= fields.size()) {
        const std::size_t comma = std::min(fields.find(',', start), fields.size());
        clause.append(fields.substr(start, comma - start)).append(direction).append(",");
        start = comma + 1;
    }
    return clause.append("rowid").append(direction);
}

} // namespace ft::search
