#include "core/search/result_layout.h"

#include <array>

namespace ft::search {
namespace {

constexpr std::array<ResultColumn, 6> kParcelColumns{{
    {"大字", 170, "OOAZA"},
    {"小字", 170, "KOAZA"},
    {"地番", 150, "CHIBAN"},
    {"所有者", 200, "SNAME"},
    {"所有者カナ", 180, "KNAME"},
    {"FileNo", 60, "FILENO"},
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

} // namespace ft::search
