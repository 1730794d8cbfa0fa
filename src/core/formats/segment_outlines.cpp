// Outline segments of the overview, from the parcel-outline file and from the
// vertex records of the sheet-frame file.
#include "core/formats/outlines.h"

#include "core/formats/source_records.h"
#include "core/formats/text_helpers.h"

#include <optional>

namespace ft::formats {

namespace {

struct Vertex {
    PointCoords coords;
    int kind = 0;
};

// The horizontal value of a point is its second value, the vertical its first.
void setEnds(Segment& segment, const PointCoords& start, const PointCoords& end)
{
    segment.x1 = start.second;
    segment.y1 = start.first;
    segment.x2 = end.second;
    segment.y2 = end.first;
}

bool isDrawnKind(int kind)
{
    return kind != 0 && kind != 1 && kind != 5;
}

struct OutlineHeader {
    int groupA = -1;
    int groupB = -1;
    std::string labelC;
    std::string labelD;
    int vertexCount = 0;
};

OutlineHeader readOutlineHeader(std::string line)
{
    OutlineHeader header;
    header.groupA = NextInt(line, -1);
    header.groupB = NextInt(line, -1);
    header.labelC = NextField(line);
    header.labelD = NextField(line);
    NextField(line);
    header.vertexCount = NextInt(line, 0);
    return header;
}

// Writes the edges of one outline from its vertex lines. The outline starts
// with no remembered vertex, so its first found vertex is never joined to the
// last vertex of the outline before it.
void convertOutline(RecordLineReader& reader, const OutlineHeader& header, int fileNo,
                    const PointTable& points, WorkingFile& segments)
{
    Segment segment;
    segment.groupA = header.groupA;
    segment.groupB = header.groupB;
    segment.labelC = header.labelC;
    segment.labelD = header.labelD;
    segment.fileNo = fileNo;

    std::optional<Vertex> previous;
    std::string line;
    // Past the end of the file the missing vertex lines would read as empty
    // names, which are never found: stopping there changes nothing.
    for (int i = 0; i < header.vertexCount && reader.next(line); ++i) {
        const std::string name = NextField(line);
        const int kind = NextInt(line, 0);
        const std::optional<PointCoords> found = findPoint(points, name);
        if (!found)
            continue;
        if (previous && isDrawnKind(previous->kind)) {
            setEnds(segment, previous->coords, *found);
            segment.kind = previous->kind;
            segments.writeRecord(formatSegment(segment, GroupText::BlankWhenNegative));
        }
        previous = Vertex{*found, kind};
    }
}

// Byte positions of a vertex record of the sheet-frame file.
constexpr std::string_view kFrameCode = "050";
constexpr std::size_t kGroupAFirst = 12, kGroupALast = 14;
constexpr std::size_t kGroupBFirst = 18, kGroupBLast = 21;
constexpr std::size_t kFirstSubRecord = 34;
constexpr std::size_t kSubRecordSize = 44;
constexpr std::size_t kSubRecordCount = 6;

// A signed value of a vertex sub-record: the sign byte, then a 10-byte
// magnitude that is trimmed before conversion.
double signedMagnitude(std::string_view subRecord, std::size_t signAt)
{
    const double magnitude = requiredFloat(bytesAt(subRecord, signAt + 1, signAt + 10));
    return bytesAt(subRecord, signAt, signAt) == "-" ? -magnitude : magnitude;
}

Vertex readSubRecord(std::string_view subRecord)
{
    Vertex vertex;
    vertex.coords.first = signedMagnitude(subRecord, 22);
    vertex.coords.second = signedMagnitude(subRecord, 33);
    vertex.kind = fixedInt(bytesAt(subRecord, 44, 44), 0);
    return vertex;
}

void convertVertexRecord(std::string_view record, int fileNo, WorkingFile& segments)
{
    Segment segment;
    segment.groupA = fixedInt(bytesAt(record, kGroupAFirst, kGroupALast), -1);
    segment.groupB = fixedInt(bytesAt(record, kGroupBFirst, kGroupBLast), -1);
    segment.fileNo = fileNo;

    std::optional<Vertex> previous;
    for (std::size_t k = 0; k < kSubRecordCount; ++k) {
        const std::size_t first = kFirstSubRecord + k * kSubRecordSize;
        const std::string_view subRecord = bytesAt(record, first, first + kSubRecordSize - 1);
        // The blank padding of a block, or the blank rest of a line, holds
        // no more vertices.
        if (isBlank(subRecord))
            break;
        const Vertex vertex = readSubRecord(subRecord);
        if (previous) {
            setEnds(segment, previous->coords, vertex.coords);
            segment.kind = previous->kind;
            segments.writeRecord(formatSegment(segment, GroupText::AsNumber));
        }
        previous = vertex;
    }
}

} // namespace

bool convertPolToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& polFile,
                        const PointTable& points)
{
    RecordLineReader reader(polFile);
    if (!reader.isOpen())
        return true;
    bool sawOutline = false;
    std::string line;
    while (reader.next(line)) {
        const OutlineHeader header = readOutlineHeader(std::move(line));
        convertOutline(reader, header, fileNo, points, segments);
        sawOutline = true;
    }
    return sawOutline;
}

bool convertZukToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& frameFile)
{
    forEachFrameRecord(frameFile, [&](std::string& record) {
        // Frame records carry sheet corners in the columns where vertex
        // records carry sub-records; read as vertices they draw nonsense.
        if (bytesAt(record, 1, 3) == kFrameCode)
            return;
        convertVertexRecord(record, fileNo, segments);
    });
    return true;
}

} // namespace ft::formats
