#include "devtools/dataset_builder.h"

#include "core/platform/cp932.h"
#include "core/platform/path_text.h"
#include "devtools/temp_folder.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <stdexcept>
#include <system_error>

namespace ft::test {

namespace {

std::string rightAligned(std::string text, std::size_t width, const char* what)
{
    if (text.size() > width)
        throw std::invalid_argument(std::string(what) + " does not fit in " +
                                    std::to_string(width) + " bytes: " + text);
    return std::string(width - text.size(), ' ') + text;
}

std::string leftAligned(std::string text, std::size_t width, const char* what)
{
    if (text.size() > width)
        throw std::invalid_argument(std::string(what) + " does not fit in " +
                                    std::to_string(width) + " bytes: " + text);
    return text + std::string(width - text.size(), ' ');
}

std::string fixedThreeDecimals(double value)
{
    std::array<char, 64> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 3);
    return std::string(text.data(), result.ptr);
}

std::string frameVertexBytes(const FrameVertex& vertex)
{
    const auto sign = [](double value) { return std::string(1, value < 0 ? '-' : ' '); };
    const auto magnitude = [](double value) {
        return rightAligned(fixedThreeDecimals(std::fabs(value)), 10, "vertex coordinate");
    };
    if (vertex.kind < 0 || vertex.kind > 9)
        throw std::invalid_argument("line kind must be one digit");
    return leftAligned(platform::utf8ToCp932(vertex.name), 20, "vertex name") + " " +
           sign(vertex.first) + magnitude(vertex.first) + sign(vertex.second) +
           magnitude(vertex.second) + std::to_string(vertex.kind);
}

} // namespace

void setFileTime(const std::filesystem::path& file, const LocalTime& time)
{
    std::tm local{};
    local.tm_year = time.year - 1900;
    local.tm_mon = time.month - 1;
    local.tm_mday = time.day;
    local.tm_hour = time.hour;
    local.tm_min = time.minute;
    local.tm_sec = time.second;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    const auto stamp =
        std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds));
    std::error_code error;
    std::filesystem::last_write_time(file, stamp, error);
    if (error)
        throw std::system_error(error, "cannot set the time of " + platform::pathText(file));
}

std::string frameCoordinateBytes(double value)
{
    const long long thousandths = std::llround(value * 1000.0);
    const long long magnitude = thousandths < 0 ? -thousandths : thousandths;
    // The sign belongs to the integer part, also when that part is 0.
    const std::string integerPart = (thousandths < 0 ? "-" : "") + std::to_string(magnitude / 1000);
    std::string decimals = std::to_string(magnitude % 1000);
    decimals.insert(0, 3 - decimals.size(), '0');
    return rightAligned(integerPart, 7, "frame coordinate") + "." + decimals;
}

std::string sheetFrameBytes(const SheetFrameRecord& record)
{
    std::string bytes = "050  ";
    bytes += leftAligned(platform::utf8ToCp932(record.name), 10, "sheet name");
    bytes += rightAligned(record.number, 6, "sheet number");
    for (const double corner : record.corners)
        bytes += frameCoordinateBytes(corner);
    return bytes;
}

std::string frameVerticesBytes(const FrameVerticesRecord& record)
{
    if (record.code.size() != 3)
        throw std::invalid_argument("record code must be 3 bytes");
    if (record.vertices.size() > 6)
        throw std::invalid_argument("a frame record holds at most six vertices");
    std::string bytes = record.code + std::string(8, ' ');
    bytes += rightAligned(record.a, 3, "group a") + std::string(3, ' ');
    bytes += rightAligned(record.b, 4, "group b") + std::string(12, ' ');
    for (const FrameVertex& vertex : record.vertices)
        bytes += frameVertexBytes(vertex);
    return bytes;
}

DataSetBuilder::DataSetBuilder(std::filesystem::path folder, std::string baseName, int datum)
    : m_folder(std::move(folder)), m_baseName(std::move(baseName)), m_datum(datum)
{
    setHeader(HeaderRecord{});
}

DataSetBuilder DataSetBuilder::smallValidSet(std::filesystem::path folder, std::string baseName,
                                             int datum)
{
    DataSetBuilder set(std::move(folder), std::move(baseName), datum);
    set.addParcel({"大字山田", "字上野", "１２－３", "ヤマダ　タロウ", "山田　太郎"})
        .addParcel({"大字山田", "字上野", "１２－４", "スズキ　ハナコ", "鈴木　花子"})
        .addParcel({"大字山田", "字下野", "１３", "タナカ　イチロウ", "田中　一郎"});
    set.addOwnerGroup({"大字山田",
                       "字上野",
                       "１２－３",
                       {{"ヤマダ　タロウ", "山田　太郎"}, {"ヤマダ　ジロウ", "山田　次郎"}},
                       {}});
    set.addParcelGroup({{{"大字山田", "字下野", "１４－１", "サトウ　ケン", "佐藤　健"},
                         {"大字山田", "字下野", "１４－２", "サトウ　ケン", "佐藤　健"}},
                        {}});
    set.addMapSheet({"Ｘ１－１",
                     "500",
                     {{"1000.000", "2000.000"},
                      {"1000.000", "2200.000"},
                      {"1200.000", "2200.000"},
                      {"1200.000", "2000.000"}},
                     "1"});
    set.addMapSheet({"Ｘ１－２", "500", {{"1200.000", "2000.000"}, {"1400.000", "2200.000"}}, "1"});
    set.addPoint({"Ｐ１", "1050.000", "2050.000", "1"})
        .addPoint({"Ｐ２", "1050.000", "2100.000", "1"})
        .addPoint({"Ｐ３", "1100.000", "2100.000", "1"})
        .addPoint({"Ｐ４", "1100.000", "2050.000", "1"})
        .addPoint({"Ｐ５", "1050.000", "2150.000", "2"})
        .addPoint({"Ｐ６", "1100.000", "2150.000", "2"});
    set.addOutline(
        {"1", "1", "大字山田", "１２－３", {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}, {"Ｐ４"}, {"Ｐ１"}}, {}});
    set.addOutline(
        {"1", "2", "大字山田", "１２－４", {{"Ｐ２"}, {"Ｐ５"}, {"Ｐ６"}, {"Ｐ３"}, {"Ｐ２"}}, {}});
    set.addControlPoint({"Ｔ１", "1000.000", "2000.000"})
        .addControlPoint({"Ｔ２", "1200.000", "2200.000"});
    set.addSheetFrame(
        {"Ｘ１－１", "500", {1000.0, 2000.0, 1000.0, 2200.0, 1200.0, 2200.0, 1200.0, 2000.0}});
    set.addFrameVertices({"060",
                          "1",
                          "1",
                          {{"F1", 1000.0, 2000.0, 2},
                           {"F2", 1000.0, 2200.0, 2},
                           {"F3", 1200.0, 2200.0, 2},
                           {"F4", 1200.0, 2000.0, 2},
                           {"F1", 1000.0, 2000.0, 2}}});
    return set;
}

void DataSetBuilder::appendFields(SurveyFile kind, const std::vector<std::string>& utf8Fields)
{
    std::string line;
    for (std::size_t i = 0; i < utf8Fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += utf8Fields[i];
    }
    addLine(kind, line);
}

DataSetBuilder& DataSetBuilder::setHeader(const HeaderRecord& record)
{
    std::vector<std::string> fields{"H" + m_baseName,
                                    "1",
                                    record.kei,
                                    "0",
                                    record.creater,
                                    "0",
                                    record.chiku,
                                    "0",
                                    record.datum.value_or(std::to_string(m_datum))};
    fields.resize(static_cast<std::size_t>(std::max(record.fieldCount, 0)));
    clear(SurveyFile::Header);
    appendFields(SurveyFile::Header, fields);
    return *this;
}

namespace {

std::vector<std::string> parcelFields(std::size_t sequence, const ParcelRecord& record)
{
    std::vector<std::string> fields(22);
    fields[0] = std::to_string(sequence);
    fields[1] = "1";
    fields[2] = record.oaza;
    fields[3] = record.koaza;
    fields[4] = record.lot;
    fields[13] = record.ownerKana;
    fields[14] = record.owner;
    return fields;
}

} // namespace

DataSetBuilder& DataSetBuilder::addParcel(const ParcelRecord& record)
{
    appendFields(SurveyFile::Parcels,
                 parcelFields(m_lines[SurveyFile::Parcels].size() + 1, record));
    return *this;
}

DataSetBuilder& DataSetBuilder::addOwnerGroup(const OwnerGroup& group)
{
    const std::string sequence = std::to_string(m_lines[SurveyFile::Owners].size() + 1);
    appendFields(SurveyFile::Owners,
                 {sequence, "1", group.oaza, group.koaza, group.lot,
                  group.announced.value_or(std::to_string(group.owners.size()))});
    for (std::size_t i = 0; i < group.owners.size(); ++i)
        appendFields(SurveyFile::Owners,
                     {std::to_string(i + 1), group.owners[i].kana, group.owners[i].name});
    return *this;
}

DataSetBuilder& DataSetBuilder::addParcelGroup(const ParcelGroup& group)
{
    const std::string sequence = std::to_string(m_lines[SurveyFile::GroupedParcels].size() + 1);
    appendFields(
        SurveyFile::GroupedParcels,
        {sequence, "", "", group.announced.value_or(std::to_string(group.parcels.size()))});
    for (std::size_t i = 0; i < group.parcels.size(); ++i)
        appendFields(SurveyFile::GroupedParcels, parcelFields(i + 1, group.parcels[i]));
    return *this;
}

DataSetBuilder& DataSetBuilder::addMapSheet(const MapSheetRecord& record)
{
    std::vector<std::string> fields{record.name, record.scale};
    for (const auto& corner : record.corners) {
        fields.push_back(corner[0]);
        fields.push_back(corner[1]);
    }
    if (record.kubun) {
        fields.resize(11);
        fields.push_back(*record.kubun);
    }
    appendFields(SurveyFile::MapSheets, fields);
    return *this;
}

DataSetBuilder& DataSetBuilder::addPoint(const PointRecord& record)
{
    appendFields(SurveyFile::Points, {record.name, record.first, record.second, "0", record.kubun});
    return *this;
}

DataSetBuilder& DataSetBuilder::addControlPoint(const ControlPointRecord& record)
{
    appendFields(SurveyFile::ControlPoints, {record.name, record.first, record.second});
    return *this;
}

DataSetBuilder& DataSetBuilder::addOutline(const OutlineRecord& record)
{
    appendFields(SurveyFile::Outlines,
                 {record.a, record.b, record.c, record.d, "",
                  record.announced.value_or(std::to_string(record.vertices.size()))});
    for (const OutlineVertex& vertex : record.vertices)
        appendFields(SurveyFile::Outlines, {vertex.name, vertex.kind});
    return *this;
}

DataSetBuilder& DataSetBuilder::addSheetFrame(const SheetFrameRecord& record)
{
    return addRawLine(SurveyFile::SheetFrames, sheetFrameBytes(record));
}

DataSetBuilder& DataSetBuilder::addFrameVertices(const FrameVerticesRecord& record)
{
    return addRawLine(SurveyFile::SheetFrames, frameVerticesBytes(record));
}

DataSetBuilder& DataSetBuilder::addLine(SurveyFile kind, std::string_view utf8Line)
{
    return addRawLine(kind, platform::utf8ToCp932(utf8Line));
}

DataSetBuilder& DataSetBuilder::addRawLine(SurveyFile kind, std::string cp932Line)
{
    m_lines[kind].push_back(std::move(cp932Line));
    return *this;
}

DataSetBuilder& DataSetBuilder::clear(SurveyFile kind)
{
    m_lines[kind].clear();
    return *this;
}

DataSetBuilder& DataSetBuilder::setRawBytes(SurveyFile kind, std::string bytes)
{
    m_rawBytes[kind] = std::move(bytes);
    return *this;
}

DataSetBuilder& DataSetBuilder::omit(SurveyFile kind)
{
    m_omitted.insert(kind);
    return *this;
}

DataSetBuilder& DataSetBuilder::withoutFinalLineEnd(SurveyFile kind)
{
    m_noFinalLineEnd.insert(kind);
    return *this;
}

DataSetBuilder& DataSetBuilder::setFrameForm(FrameForm form)
{
    m_frameForm = form;
    return *this;
}

DataSetBuilder& DataSetBuilder::setModificationTime(SurveyFile kind, const LocalTime& time)
{
    m_times[kind] = time;
    return *this;
}

std::filesystem::path DataSetBuilder::path(SurveyFile kind) const
{
    return m_folder / (m_baseName + extensionOf(kind, formats::datumNamedBy(m_datum)));
}

std::string DataSetBuilder::frameFileBytes() const
{
    const auto found = m_lines.find(SurveyFile::SheetFrames);
    if (found == m_lines.end())
        return {};
    std::string bytes;
    for (const std::string& record : found->second) {
        if (record.size() > kFrameBlockSize)
            throw std::invalid_argument("a sheet-frame record is longer than a block");
        bytes += record;
        bytes += std::string(kFrameBlockSize - record.size(), ' ');
    }
    return bytes;
}

std::string DataSetBuilder::bytesOf(SurveyFile kind) const
{
    if (const auto raw = m_rawBytes.find(kind); raw != m_rawBytes.end())
        return raw->second;
    if (kind == SurveyFile::SheetFrames && m_frameForm == FrameForm::Blocks)
        return frameFileBytes();
    const auto found = m_lines.find(kind);
    if (found == m_lines.end())
        return {};
    std::string bytes;
    const std::vector<std::string>& lines = found->second;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size() || !m_noFinalLineEnd.contains(kind))
            bytes += "\r\n";
    }
    return bytes;
}

std::filesystem::path DataSetBuilder::write() const
{
    static constexpr std::array kAllFiles{
        SurveyFile::Header,         SurveyFile::Parcels,   SurveyFile::Owners,
        SurveyFile::GroupedParcels, SurveyFile::MapSheets, SurveyFile::Points,
        SurveyFile::ControlPoints,  SurveyFile::Outlines,  SurveyFile::SheetFrames,
    };
    for (const SurveyFile kind : kAllFiles) {
        std::error_code ignored;
        std::filesystem::remove(path(kind), ignored);
        if (!m_omitted.contains(kind))
            writeBytes(path(kind), bytesOf(kind));
    }
    for (const auto& [kind, time] : m_times) {
        if (!m_omitted.contains(kind))
            setFileTime(path(kind), time);
    }
    return headerPath();
}

} // namespace ft::test
