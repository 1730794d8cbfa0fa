#include "core/catalogue/catalogue_database.h"

#include "core/catalogue/engine_text.h"
#include "core/catalogue/sqlite_database.h"

#include <array>
#include <charconv>
#include <utility>

namespace ft::catalogue {

CatalogueError::CatalogueError(const std::string& designed)
    : CatalogueError(platform::Message(QT_TRANSLATE_NOOP(
                         "findTavla", "The catalogue could not be read or written. Try again; "
                                      "if it fails again, the catalogue may be damaged: move "
                                      "it out of the data folder and register the data "
                                      "again.")),
                     designed)
{
}

CatalogueError::CatalogueError(platform::Message sentence, const std::string& designed)
    : platform::MessageError(std::move(sentence), designed)
{
}

CatalogueError::CatalogueError(platform::Message whole) : platform::MessageError(std::move(whole))
{
}

platform::Message RowGoneMessage()
{
    return platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "The catalogue no longer holds what was asked for; another "
                                       "findTavla may have deleted it. Search again."));
}

namespace {

platform::Message busyMessage(const std::string& catalogueName)
{
    return platform::Message(
        QT_TRANSLATE_NOOP("findTavla", "The catalogue %1 is in use by another findTavla; try "
                                       "again when it has finished."),
        {QString::fromStdString(catalogueName)});
}

} // namespace

ECatalogueBusy::ECatalogueBusy(const std::string& catalogueName)
    : CatalogueError(busyMessage(catalogueName))
{
}

bool ResultTable::MoveFirst()
{
    if (m_rowCount == 0)
        return false;
    m_currentRow = 0;
    return true;
}

bool ResultTable::Next()
{
    if (Eof())
        return false;
    ++m_currentRow;
    return true;
}

int ResultTable::FieldIndex(std::string_view name) const
{
    if (m_columnNames.empty())
        throw CatalogueError(RowGoneMessage(),
                             "Field " + std::string(name) + " Not found. Empty dataset");
    const std::string wanted = upperAscii(name);
    for (std::size_t column = 0; column < m_columnNames.size(); ++column)
        if (m_columnNames[column] == wanted)
            return static_cast<int>(column);
    throw CatalogueError("Field not found in dataset: " + std::string(name));
}

std::string ResultTable::FieldByName(std::string_view name) const
{
    return Fields(FieldIndex(name));
}

ColumnKind ResultTable::Kind(int column) const
{
    return m_columnKinds.at(static_cast<std::size_t>(column));
}

const ResultTable::Cell& ResultTable::cell(int column) const
{
    if (column < 0 || column >= m_columnCount)
        throw std::out_of_range("column index " + std::to_string(column) + " out of range");
    return m_cells.at(static_cast<std::size_t>(m_currentRow) *
                          static_cast<std::size_t>(m_columnCount) +
                      static_cast<std::size_t>(column));
}

std::string ResultTable::Fields(int column) const
{
    if (Eof())
        throw CatalogueError("Table is at End of File");
    return CellText(cell(column), Kind(column));
}

std::string CellText(const ResultTable::Cell& value, ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Integer:
        if (const auto* integer = std::get_if<std::int64_t>(&value))
            return std::to_string(*integer);
        return "0";
    case ColumnKind::Numeric:
        if (const auto* real = std::get_if<double>(&value))
            return NumericText(*real);
        return "0";
    case ColumnKind::Text:
    case ColumnKind::Blob:
        if (const auto* text = std::get_if<std::string>(&value))
            return *text;
        return {};
    case ColumnKind::Null:
        return {};
    }
    return {};
}

std::string ResultTable::FieldAsString(int column) const
{
    if (Eof())
        throw CatalogueError("Table is at End of File");
    if (std::holds_alternative<std::monostate>(cell(column)))
        return {};
    return Fields(column);
}

std::string NumericText(double value)
{
    // Not printf: Qt sets the process locale from the environment, so printf
    // would follow LC_NUMERIC.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

ResultTable::ResultTable(std::vector<std::string> columnNames, std::vector<ColumnKind> columnKinds,
                         std::vector<Cell> cells)
    : m_cells(std::move(cells)), m_columnCount(static_cast<int>(columnNames.size())),
      m_columnNames(std::move(columnNames)), m_columnKinds(std::move(columnKinds))
{
    if (m_columnCount > 0)
        m_rowCount = static_cast<int>(m_cells.size() / static_cast<std::size_t>(m_columnCount));
}

std::unique_ptr<CatalogueDatabase> OpenCatalogueFile(const std::string& fileName)
{
    return std::make_unique<TSQLiteDatabase>(fileName);
}

} // namespace ft::catalogue
