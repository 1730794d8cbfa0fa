// Outline segments of the overview, from the parcel-outline file and from the
// vertex records of the sheet-frame file.
#include "core/formats/outlines.h"

#include "core/formats/outline_records.h"
#include "core/formats/sheet_frame_records.h"
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

// Writes the edges of one outline. The outline starts with no remembered
// vertex, so its first found vertex is never joined to the last vertex of the
// outline before it.
void convertOutline(const OutlineRecord& outline, int fileNo, const PointTable& points,
                    WorkingFile& segments)
{
    Segment segment;
    segment.groupA = outline.header.groupA;
    segment.groupB = outline.header.groupB;
    segment.labelC = outline.header.labelC;
    segment.labelD = outline.header.labelD;
    segment.fileNo = fileNo;

    std::optional<Vertex> previous;
    for (const OutlineVertexLine& vertex : outline.vertices) {
        const std::optional<PointCoords> found = findPoint(points, vertex.name);
        if (!found)
            continue;
        if (previous && isDrawnKind(previous->kind)) {
            setEnds(segment, previous->coords, *found);
            segment.kind = previous->kind;
            segments.writeRecord(formatSegment(segment, GroupText::BlankWhenNegative));
        }
        previous = Vertex{*found, vertex.kind};
    }
}

// Each record joins its consecutive vertex sub-records.
void convertFrameLine(const FrameLine& line, int fileNo, WorkingFile& segments)
{
    Segment segment;
    segment.groupA = line.groupA;
    segment.groupB = line.groupB;
    segment.fileNo = fileNo;
    for (std::size_t k = 1; k < line.vertices.size(); ++k) {
        const FrameVertex& start = line.vertices[k - 1];
        setEnds(segment, start.coords, line.vertices[k].coords);
        segment.kind = start.kind;
        segments.writeRecord(formatSegment(segment, GroupText::AsNumber));
    }
}

} // namespace

bool convertPolToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& polFile,
                        const PointTable& points)
{
    const std::optional<std::size_t> outlines =
        forEachOutline(polFile, [&](const OutlineRecord& outline) {
            convertOutline(outline, fileNo, points, segments);
        });
    // A file that opens but holds no outline fails; a missing one does not.
    return !outlines || *outlines > 0;
}

bool convertZukToInxAza(WorkingFile& segments, int fileNo, const std::filesystem::path& frameFile)
{
    forEachFrameRecord(frameFile, [&](std::string& record) {
        // Frame records carry sheet corners in the columns where vertex
        // records carry sub-records; read as vertices they draw nonsense.
        if (isSheetFrameRecord(record))
            return;
        convertFrameLine(readFrameLine(record), fileNo, segments);
    });
    return true;
}

} // namespace ft::formats
