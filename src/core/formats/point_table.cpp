#include "core/formats/point_table.h"

#include "core/formats/source_records.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"

namespace ft::formats {

void PointTable::clear()
{
    m_coords.clear();
    m_firstIndexByName.clear();
}

void PointTable::reserve(std::size_t count)
{
    m_coords.reserve(count);
    m_firstIndexByName.reserve(count);
}

void PointTable::add(std::string_view name, PointCoords coords)
{
    const std::string_view kept = name.substr(0, kMaxNameBytes);
    // try_emplace leaves an existing name alone: the first entry answers.
    if (!kept.empty())
        m_firstIndexByName.try_emplace(std::string(kept), m_coords.size());
    m_coords.push_back(coords);
}

std::optional<PointCoords> PointTable::find(std::string_view name) const
{
    const std::optional<std::size_t> index = indexOf(name);
    if (!index)
        return std::nullopt;
    return m_coords[*index];
}

std::optional<std::size_t> PointTable::indexOf(std::string_view name) const
{
    if (name.empty() || name.size() > kMaxNameBytes)
        return std::nullopt;
    const auto found = m_firstIndexByName.find(name);
    if (found == m_firstIndexByName.end())
        return std::nullopt;
    return found->second;
}

bool readPntToTable(const std::filesystem::path& pntFile, PointTable& table)
{
    RecordLineReader reader(pntFile);
    if (!reader.isOpen())
        return false;
    table.clear();
    std::string line;
    std::size_t lineNumber = 0;
    while (reader.next(line)) {
        ++lineNumber;
        // A zero-byte line (a blank line at the end of the file, say) would
        // otherwise become a nameless point at the origin.
        if (line.empty())
            continue;
        try {
            const PointLine point = parsePointLine(std::move(line));
            // Read as 0, a cut-short line would draw the parcel lines from
            // the origin across the map.
            if (const char* missing = point.missingValue())
                throw SourceFileError(
                    pntFile, point.name,
                    inRecord(lineNumber,
                             platform::Message(QT_TRANSLATE_NOOP("findTavla",
                                                                 "the point lacks its %1 value "
                                                                 "(the line is cut short)"),
                                               {QString::fromLatin1(missing)})));
            table.add(point.name, point.coords());
        } catch (const ConversionError& error) {
            throw conversionErrorIn(pntFile, lineNumber, error);
        }
    }
    return !table.empty();
}

std::optional<PointCoords> findPoint(const PointTable& table, std::string_view name)
{
    return table.find(TrimBlanks(name));
}

} // namespace ft::formats
