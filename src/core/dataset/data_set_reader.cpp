#include "core/dataset/data_set_reader.h"

#include "core/dataset/data_set_links.h"
#include "core/formats/outline_records.h"
#include "core/formats/source_records.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"
#include "core/platform/message_text.h"
#include "core/platform/path_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace ft::dataset {

namespace {

using formats::ConversionError;

// Beyond this many bad records in one file the rest are only counted: a file
// that is broken throughout would otherwise list every line.
constexpr std::size_t kListedBadRecords = 50;

bool fileExists(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

// Reads the siblings of one data set into it, noting what goes wrong.
class SetReader {
public:
    explicit SetReader(SurveyDataSet& set) : m_set(set) {}

    bool readHeader(const std::filesystem::path& headerFile);
    void readPoints();
    void readControlPoints();
    void readParcels();
    void readOwners();
    void readGroupedParcels();
    void readMapSheets();
    void readSheetFrames();
    void readOutlines();

private:
    // The sibling's path when it exists; otherwise notes it as missing.
    std::optional<std::filesystem::path> sibling(SurveyFile file);
    std::filesystem::path siblingOf(SurveyFile file) const;

    // Runs `readAll` over the file; a file that cannot be opened or read to
    // its end is noted, keeping what was read before the failure.
    template <class ReadAll> void guarded(SurveyFile file, ReadAll&& readAll);
    void noteProblem(SurveyFile file, ProblemKind kind, std::size_t record, std::string detail);
    void noteBadRecord(SurveyFile file, std::size_t record, const ConversionError& error);

    // Calls visit(line, lineNumber) for every line of the sibling; a
    // ConversionError leaves that line out and is noted.
    template <class Visit> void forEachLineOf(SurveyFile file, Visit&& visit);

    SurveyDataSet& m_set;
    formats::PointTable m_pointIndex;
    std::array<std::size_t, 9> m_badRecords{};
};

std::filesystem::path SetReader::siblingOf(SurveyFile file) const
{
    return siblingPath(m_set.basePath, extensionOf(file, m_set.header.datum));
}

std::optional<std::filesystem::path> SetReader::sibling(SurveyFile file)
{
    std::filesystem::path path = siblingOf(file);
    // A set whose header names no datum: its frame file is whichever exists.
    if (file == SurveyFile::SheetFrames && !m_set.header.datum) {
        for (const formats::Datum datum : formats::kDatums) {
            path = siblingPath(m_set.basePath, extensionOf(file, datum));
            if (fileExists(path))
                break;
        }
    }
    if (fileExists(path))
        return path;
    noteProblem(file, ProblemKind::FileMissing, 0, platform::pathText(path.filename()));
    return std::nullopt;
}

void SetReader::noteProblem(SurveyFile file, ProblemKind kind, std::size_t record,
                            std::string detail)
{
    m_set.problems.push_back(ReadProblem{file, kind, record, std::move(detail)});
}

void SetReader::noteBadRecord(SurveyFile file, std::size_t record, const ConversionError& error)
{
    std::size_t& count = m_badRecords[static_cast<std::size_t>(file)];
    if (++count <= kListedBadRecords)
        noteProblem(file, ProblemKind::BadRecord, record, platform::cp932ForMessage(error.text()));
}

template <class ReadAll> void SetReader::guarded(SurveyFile file, ReadAll&& readAll)
{
    try {
        readAll();
    } catch (const std::system_error& error) {
        noteProblem(file, ProblemKind::FileUnreadable, 0, error.what());
    }
    const std::size_t bad = m_badRecords[static_cast<std::size_t>(file)];
    if (bad > kListedBadRecords)
        noteProblem(file, ProblemKind::BadRecord, 0, std::to_string(bad - kListedBadRecords));
}

template <class Visit> void SetReader::forEachLineOf(SurveyFile file, Visit&& visit)
{
    const std::optional<std::filesystem::path> path = sibling(file);
    if (!path)
        return;
    guarded(file, [&] {
        std::size_t lineNumber = 0;
        const bool opened = formats::forEachLine(*path, [&](std::string& line) {
            ++lineNumber;
            try {
                visit(line, lineNumber);
            } catch (const ConversionError& error) {
                noteBadRecord(file, lineNumber, error);
            }
        });
        if (!opened)
            noteProblem(file, ProblemKind::FileUnreadable, 0, platform::pathText(path->filename()));
    });
}

bool SetReader::readHeader(const std::filesystem::path& headerFile)
{
    // Only a regular file is opened: a named pipe called *.hed would block.
    formats::RecordLineReader reader(fileExists(headerFile) ? headerFile : std::filesystem::path());
    if (!reader.isOpen()) {
        std::error_code error;
        noteProblem(SurveyFile::Header,
                    std::filesystem::exists(headerFile, error) ? ProblemKind::FileUnreadable
                                                               : ProblemKind::HeaderMissing,
                    0, platform::pathText(headerFile));
        return false;
    }
    std::string line;
    try {
        reader.next(line);
    } catch (const std::system_error& error) {
        noteProblem(SurveyFile::Header, ProblemKind::FileUnreadable, 0, error.what());
        return false;
    }
    const formats::HeaderLine header = formats::parseHeaderLine(std::move(line));
    m_set.header.kei = header.kei;
    m_set.header.creater = header.creater;
    m_set.header.chiku = header.chiku;
    if (const std::optional<int> code = formats::IntOf(formats::TrimBlanks(header.datum)))
        m_set.header.datum = formats::datumNamedBy(*code);
    return true;
}

void SetReader::readPoints()
{
    // A point line takes some 30 to 40 bytes; reserving for that spares the
    // list and its index from growing step by step through 150,000 points.
    std::error_code unknown;
    const std::uintmax_t bytes = std::filesystem::file_size(siblingOf(SurveyFile::Points), unknown);
    if (!unknown) {
        const std::size_t expected =
            static_cast<std::size_t>(std::min<std::uintmax_t>(bytes / 32, 1u << 24));
        m_set.points.reserve(expected);
        m_pointIndex.reserve(expected);
    }
    forEachLineOf(SurveyFile::Points, [&](std::string& line, std::size_t lineNumber) {
        // A zero-byte line (a blank last line) is no point.
        if (line.empty())
            return;
        formats::PointLine point = formats::parsePointLine(std::move(line));
        // A line cut short is left out, never a point at the origin; it is
        // told as registration tells it, not as a value that is no number.
        if (point.missingValue()) {
            noteProblem(SurveyFile::Points, ProblemKind::CutShortRecord, lineNumber,
                        platform::cp932ForMessage(point.name));
            return;
        }
        const PointCoords at = point.coords();
        // The index stays in step with the list: both skip the same lines.
        m_pointIndex.add(point.name, at);
        m_set.points.push_back({std::move(point.name), at, std::move(point.kind)});
    });
}

void SetReader::readControlPoints()
{
    forEachLineOf(SurveyFile::ControlPoints, [&](std::string& line, std::size_t lineNumber) {
        if (line.empty())
            return;
        formats::ControlPointLine point = formats::parseControlPointLine(std::move(line));
        const std::optional<PointCoords> at = point.coords();
        if (!at) {
            noteProblem(SurveyFile::ControlPoints, ProblemKind::NoPosition, lineNumber,
                        platform::cp932ForMessage(point.name));
            return;
        }
        m_set.controlPoints.push_back({std::move(point.name), *at});
    });
}

ParcelFields fieldsOf(formats::ParcelLine line)
{
    return {std::move(line.number), std::move(line.oaza),      std::move(line.koaza),
            std::move(line.lot),    std::move(line.ownerKana), std::move(line.owner)};
}

void SetReader::readParcels()
{
    forEachLineOf(SurveyFile::Parcels, [&](std::string& line, std::size_t lineNumber) {
        // The catalogue skips a line without any comma; so does the drawing.
        if (line.find(',') == std::string::npos)
            return;
        Parcel parcel;
        parcel.fields = fieldsOf(formats::parseParcelLine(std::move(line)));
        parcel.line = lineNumber;
        m_set.parcels.push_back(std::move(parcel));
    });
}

void SetReader::readOwners()
{
    const std::optional<std::filesystem::path> path = sibling(SurveyFile::Owners);
    if (!path)
        return;
    const ParcelKeyIndex parcels(m_set.parcels);
    guarded(SurveyFile::Owners, [&] {
        formats::RecordLineReader reader(*path);
        if (!reader.isOpen()) {
            noteProblem(SurveyFile::Owners, ProblemKind::FileUnreadable, 0,
                        platform::pathText(path->filename()));
            return;
        }
        std::size_t lineNumber = 0;
        std::string line;
        while (reader.next(line)) {
            const std::size_t headerLine = ++lineNumber;
            const formats::OwnerListHeader header = formats::parseOwnerListHeader(std::move(line));
            const std::size_t parcel = parcels.find(header.oaza, header.koaza, header.lot);
            for (int i = 0; i < header.ownerCount && reader.next(line); ++i) {
                ++lineNumber;
                formats::OwnerLine owner = formats::parseOwnerLine(std::move(line));
                if (parcel != kNoIndex)
                    m_set.parcels[parcel].owners.push_back(
                        {std::move(owner.kana), std::move(owner.name)});
            }
            if (parcel == kNoIndex && header.ownerCount > 0)
                noteProblem(SurveyFile::Owners, ProblemKind::OwnersWithoutParcel, headerLine,
                            platform::cp932ForMessage(header.lot));
        }
    });
}

void SetReader::readGroupedParcels()
{
    const std::optional<std::filesystem::path> path = sibling(SurveyFile::GroupedParcels);
    if (!path)
        return;
    guarded(SurveyFile::GroupedParcels, [&] {
        formats::RecordLineReader reader(*path);
        if (!reader.isOpen()) {
            noteProblem(SurveyFile::GroupedParcels, ProblemKind::FileUnreadable, 0,
                        platform::pathText(path->filename()));
            return;
        }
        std::size_t lineNumber = 0;
        std::size_t group = 0;
        std::string line;
        while (reader.next(line)) {
            ++lineNumber;
            ++group;
            const formats::ParcelGroupHeader header =
                formats::parseParcelGroupHeader(std::move(line));
            for (int i = 0; i < header.parcelCount && reader.next(line); ++i) {
                GroupedParcel parcel;
                parcel.line = ++lineNumber;
                parcel.fields = fieldsOf(formats::parseParcelLine(std::move(line)));
                parcel.group = group;
                parcel.groupNumber = header.number;
                m_set.groupedParcels.push_back(std::move(parcel));
            }
        }
    });
}

void SetReader::readMapSheets()
{
    forEachLineOf(SurveyFile::MapSheets, [&](std::string& line, std::size_t lineNumber) {
        if (line.empty())
            return;
        formats::MapSheetLine sheet = formats::parseMapSheetLine(std::move(line));
        m_set.mapSheets.push_back(
            {std::move(sheet.name), sheet.scale, sheet.kubun, sheet.corners(), lineNumber});
    });
}

void SetReader::readSheetFrames()
{
    const std::optional<std::filesystem::path> path = sibling(SurveyFile::SheetFrames);
    if (!path)
        return;
    guarded(SurveyFile::SheetFrames, [&] {
        std::size_t recordNumber = 0;
        const bool opened = formats::forEachFrameRecord(*path, [&](std::string& record) {
            ++recordNumber;
            if (formats::isSheetFrameRecord(record)) {
                if (std::optional<formats::SheetFrame> frame = formats::readSheetFrame(record))
                    m_set.sheetFrames.push_back(std::move(*frame));
                return;
            }
            try {
                formats::FrameLine frameLine = formats::readFrameLine(record);
                if (!frameLine.vertices.empty())
                    m_set.frameLines.push_back(std::move(frameLine));
            } catch (const ConversionError& error) {
                noteBadRecord(SurveyFile::SheetFrames, recordNumber, error);
            }
        });
        if (!opened)
            noteProblem(SurveyFile::SheetFrames, ProblemKind::FileUnreadable, 0,
                        platform::pathText(path->filename()));
    });
}

void SetReader::readOutlines()
{
    const std::optional<std::filesystem::path> path = sibling(SurveyFile::Outlines);
    if (!path)
        return;
    guarded(SurveyFile::Outlines, [&] {
        const auto opened = formats::forEachOutline(*path, [&](const formats::OutlineRecord& in) {
            Outline outline;
            outline.groupA = in.header.groupA;
            outline.groupB = in.header.groupB;
            outline.labelC = in.header.labelC;
            outline.labelD = in.header.labelD;
            outline.line = in.headerLine;
            outline.vertices.reserve(in.vertices.size());
            for (const formats::OutlineVertexLine& vertex : in.vertices) {
                const std::string name = formats::TrimBlanks(vertex.name);
                const std::optional<std::size_t> point = m_pointIndex.indexOf(name);
                if (!point)
                    outline.missingPoints.push_back(name);
                outline.vertices.push_back({point.value_or(kNoIndex), vertex.kind});
            }
            m_set.outlines.push_back(std::move(outline));
        });
        if (!opened)
            noteProblem(SurveyFile::Outlines, ProblemKind::FileUnreadable, 0,
                        platform::pathText(path->filename()));
    });
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

} // namespace

std::filesystem::path siblingPath(const std::filesystem::path& basePath, std::string_view extension)
{
    // The base path may itself hold a dot ("A.01"), so the extension is
    // appended rather than replaced.
    std::filesystem::path lower = basePath;
    lower += std::string(extension);
    if (fileExists(lower))
        return lower;
    std::filesystem::path upper = basePath;
    upper += upperCase(extension);
    if (fileExists(upper))
        return upper;
    return lower;
}

SurveyDataSet readDataSet(const std::filesystem::path& basePath, ReadParts parts)
{
    return readDataSetAtHeader(siblingPath(basePath, extensionOf(SurveyFile::Header)), parts);
}

SurveyDataSet readDataSetHeader(const std::filesystem::path& basePath)
{
    const std::filesystem::path headerFile = siblingPath(basePath, extensionOf(SurveyFile::Header));
    SurveyDataSet set;
    set.basePath = headerFile.parent_path() / headerFile.stem();
    SetReader reader(set);
    set.present = reader.readHeader(headerFile);
    return set;
}

SurveyDataSet readDataSetAtHeader(const std::filesystem::path& headerFile, ReadParts parts)
{
    SurveyDataSet set;
    set.basePath = headerFile.parent_path() / headerFile.stem();
    SetReader reader(set);
    set.present = reader.readHeader(headerFile);
    if (!set.present)
        return set;
    // Points before outlines, which name them; parcels before owners and
    // outlines, which are attached to them.
    reader.readPoints();
    reader.readControlPoints();
    reader.readParcels();
    if (parts.owners)
        reader.readOwners();
    reader.readGroupedParcels();
    reader.readMapSheets();
    reader.readSheetFrames();
    reader.readOutlines();
    linkOutlinesToParcels(set);
    return set;
}

void readOwnerLists(SurveyDataSet& set)
{
    SetReader(set).readOwners();
}

} // namespace ft::dataset
