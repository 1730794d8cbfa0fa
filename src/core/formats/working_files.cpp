#include "core/formats/working_files.h"

#include "core/formats/source_records.h"
#include "core/formats/text_helpers.h"
#include "core/platform/disk_full.h"
#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"
#include "core/platform/replacement_file.h"

#include <cerrno>
#include <system_error>

namespace ft::formats {

namespace {

[[noreturn]] void throwFileError(const char* marked, const std::filesystem::path& file)
{
    platform::throwWriteError(errno, marked, file);
}

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// A name keeps its record on one line and its fields in place, and holds no
// byte a reader could take for the end of the file (1A) or of the text (00).
// The comma, the control bytes and 7F are never the second byte of a CP932
// character, so they can be replaced one by one.
std::string keepOnOneField(std::string_view text)
{
    static constexpr std::string_view kFullWidthComma = "\x81\x43";
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c == ',')
            kept += kFullWidthComma;
        else if (isControlByte(c))
            kept += ' ';
        else
            kept += c;
    }
    return kept;
}

void appendField(std::string& record, std::string_view field)
{
    record += field;
    record += ',';
}

void appendCoord(std::string& record, double value)
{
    AppendCoordText(record, value);
    record += ',';
}

} // namespace

WorkingFile::WorkingFile(const std::filesystem::path& file, Mode mode)
    : m_file(platform::openFileOrThrow(file, mode == Mode::Append ? "ab" : "wb")), m_path(file)
{
}

void WorkingFile::writeRecord(std::string_view record)
{
    if (!m_file)
        throw std::system_error(EBADF, std::generic_category(),
                                "write after close " + platform::pathText(m_path));
    if (std::fwrite(record.data(), 1, record.size(), m_file.get()) != record.size() ||
        std::fwrite("\r\n", 1, 2, m_file.get()) != 2)
        throwFileError(QT_TRANSLATE_NOOP("findTavla", "cannot write %1"), m_path);
}

void WorkingFile::close()
{
    if (!platform::closeFile(m_file))
        throwFileError(QT_TRANSLATE_NOOP("findTavla", "cannot write %1"), m_path);
}

void createEmptyWorkingFile(const std::filesystem::path& file)
{
    WorkingFile(file, WorkingFile::Mode::Truncate).close();
}

std::string formatSheetOutline(const SheetOutline& sheet)
{
    std::string record;
    appendField(record, keepOnOneField(sheet.name));
    appendField(record, std::to_string(sheet.scale));
    appendCoord(record, sheet.xmin);
    appendCoord(record, sheet.ymin);
    appendCoord(record, sheet.xmax);
    appendCoord(record, sheet.ymax);
    appendField(record, std::to_string(sheet.fileNo));
    return record;
}

SheetOutline parseSheetOutline(std::string line)
{
    SheetOutline sheet;
    sheet.name = ToHalfWidth(NextField(line));
    sheet.scale = NextInt(line, 0);
    sheet.xmin = NextFloat(line);
    sheet.ymin = NextFloat(line);
    sheet.xmax = NextFloat(line);
    sheet.ymax = NextFloat(line);
    sheet.fileNo = NextInt(line, 0);
    return sheet;
}

std::string formatSegment(const Segment& segment, GroupText groups)
{
    const auto groupText = [groups](int group) {
        return groups == GroupText::BlankWhenNegative ? IntOrBlank(group) : std::to_string(group);
    };
    std::string record;
    record.reserve(128);
    appendField(record, groupText(segment.groupA));
    appendField(record, groupText(segment.groupB));
    appendField(record, keepOnOneField(segment.labelC));
    appendField(record, keepOnOneField(segment.labelD));
    appendCoord(record, segment.x1);
    appendCoord(record, segment.y1);
    appendCoord(record, segment.x2);
    appendCoord(record, segment.y2);
    appendField(record, std::to_string(segment.kind));
    appendField(record, std::to_string(segment.fileNo));
    return record;
}

Segment parseSegment(std::string line)
{
    Segment segment;
    segment.groupA = NextInt(line, -1);
    segment.groupB = NextInt(line, -1);
    segment.labelC = NextField(line);
    segment.labelD = NextField(line);
    segment.x1 = NextFloat(line);
    segment.y1 = NextFloat(line);
    segment.x2 = NextFloat(line);
    segment.y2 = NextFloat(line);
    segment.kind = NextInt(line, 0);
    segment.fileNo = NextInt(line, 0);
    return segment;
}

SegmentEnds parseSegmentEnds(std::string_view line)
{
    FieldCursor fields(line);
    // Groups a and b and labels c and d: never a reason to fail.
    fields.skip(4);
    SegmentEnds ends;
    ends.x1 = FloatOf(fields.next());
    ends.y1 = FloatOf(fields.next());
    ends.x2 = FloatOf(fields.next());
    ends.y2 = FloatOf(fields.next());
    fields.next(); // the line kind
    ends.fileNo = IntOf(fields.next()).value_or(0);
    return ends;
}

void widenExtent(Extent& extent, double xmin, double ymin, double xmax, double ymax)
{
    extent.qxmin = MinOf(xmin, extent.qxmin);
    extent.qymin = MinOf(ymin, extent.qymin);
    extent.qxmax = MaxOf(xmax, extent.qxmax);
    extent.qymax = MaxOf(ymax, extent.qymax);
}

std::string formatExtent(const Extent& extent)
{
    std::string record;
    appendCoord(record, extent.qxmin);
    appendCoord(record, extent.qymin);
    appendCoord(record, extent.qxmax);
    appendCoord(record, extent.qymax);
    return record;
}

Extent parseExtent(std::string line)
{
    Extent extent;
    extent.qxmin = NextFloat(line);
    extent.qymin = NextFloat(line);
    extent.qxmax = NextFloat(line);
    extent.qymax = NextFloat(line);
    return extent;
}

void writeExtentFile(const std::filesystem::path& file, const Extent& extent)
{
    // Replaced whole: a program reading it meanwhile finds the old extent or
    // the new one, never an empty file.
    platform::replaceFileWith(file, formatExtent(extent) + "\r\n");
}

std::optional<Extent> readExtentFile(const std::filesystem::path& file)
{
    RecordLineReader reader(file, RecordLineReader::Ending::AtEndOfFile);
    if (!reader.isOpen())
        return std::nullopt;
    std::string line;
    reader.next(line);
    try {
        return parseExtent(std::move(line));
    } catch (const ConversionError& error) {
        throw conversionErrorIn(file, 1, error);
    }
}

} // namespace ft::formats
