// Sheet outlines of the overview, from the map-sheet file and from the frame
// records of the sheet-frame file.
#include "core/formats/outlines.h"

#include "core/formats/sheet_frame_records.h"
#include "core/formats/source_records.h"
#include "core/formats/survey_lines.h"
#include "core/formats/text_helpers.h"

namespace ft::formats {

namespace {

void appendSheet(WorkingFile& sheetOutlines, const SheetOutline& sheet, Extent& extent)
{
    sheetOutlines.writeRecord(formatSheetOutline(sheet));
    widenExtent(extent, sheet.xmin, sheet.ymin, sheet.xmax, sheet.ymax);
}

// The rectangle from the near corner to the far one, horizontal value (the
// second of a pair) first.
void setCorners(SheetOutline& sheet, const PointCoords& near, const PointCoords& far)
{
    sheet.xmin = near.second;
    sheet.ymin = near.first;
    sheet.xmax = far.second;
    sheet.ymax = far.first;
}

SheetOutline sheetFromMapLine(std::string line, int fileNo)
{
    const MapSheetLine map = parseMapSheetLine(std::move(line));
    const std::vector<PointCoords> corners = map.corners();
    SheetOutline sheet;
    sheet.name = ToHalfWidth(map.name);
    sheet.scale = map.scale;
    setCorners(sheet, nearCorner(corners), farCorner(corners));
    sheet.fileNo = fileNo;
    return sheet;
}

} // namespace

void convertMapToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& mapFile,
                    Extent& extent)
{
    forEachLine(mapFile, [&](std::string& line) {
        // A zero-byte line (a blank last line) is no sheet; as a record it
        // would put a sheet at the origin and stretch the overview to it.
        if (line.empty())
            return;
        appendSheet(sheetOutlines, sheetFromMapLine(std::move(line), fileNo), extent);
    });
}

void convertZukToZu(WorkingFile& sheetOutlines, int fileNo, const std::filesystem::path& frameFile,
                    Extent& extent)
{
    forEachFrameRecord(frameFile, [&](std::string& record) {
        const std::optional<SheetFrame> frame = readSheetFrame(record);
        if (!frame)
            return;
        SheetOutline sheet;
        sheet.name = frame->name;
        sheet.scale = frame->number;
        // Corner 1 is the near corner, corner 3 the far one.
        setCorners(sheet, frame->corners[0], frame->corners[2]);
        sheet.fileNo = fileNo;
        appendSheet(sheetOutlines, sheet, extent);
    });
}

} // namespace ft::formats
