#include "ui/search/result_windows.h"

#include "core/search/map_sheet_sort.h"

namespace ft::search {

TfindChiban2F::TfindChiban2F(ResultWindowServices services, QWidget* parent)
    : ResultWindow("findChiban2F", HeadingClicks::NoEffect, std::move(services), parent)
{
}

void TfindChiban2F::SetQuery(std::string statement, std::filesystem::path requestFolder)
{
    storeQuery(std::move(statement), std::move(requestFolder));
}

void TfindChiban2F::writeRequest(RequestWriter& out)
{
    writeResultRequest(Rows(), catalogue(), out);
}

TfindMap2F::TfindMap2F(ResultWindowServices services, QWidget* parent)
    : ResultWindow("findMap2F", HeadingClicks::Sort, std::move(services), parent)
{
}

void TfindMap2F::SetQuery(std::string statement, std::filesystem::path requestFolder)
{
    storeQuery(std::move(statement), std::move(requestFolder));
}

void TfindMap2F::writeRequest(RequestWriter& out)
{
    writeResultRequest(Rows(), catalogue(), out);
}

void TfindMap2F::ListView1ColumnClick(int column)
{
    m_sortColumn = column;
    if (const auto less = mapSheetColumnOrder(column))
        model().sortRows(*less);
}

TfindTen2F::TfindTen2F(ResultWindowServices services, QWidget* parent)
    : CodedResultWindow("findTen2F", HeadingClicks::NotClickable, std::move(services), parent)
{
}

TallFileListF::TallFileListF(ResultWindowServices services, QWidget* parent)
    : CodedResultWindow("allFileListF", HeadingClicks::NotClickable, std::move(services), parent)
{
}

} // namespace ft::search
