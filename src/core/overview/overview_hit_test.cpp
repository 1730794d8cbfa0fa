#include "core/overview/overview_hit_test.h"

#include "core/formats/request_file.h"
#include "core/formats/source_records.h"
#include "core/formats/working_files.h"
#include "core/overview/overview_drawing.h"
#include "core/search/drawing_path.h"
#include "core/workspace/workspace.h"

#include <utility>

namespace ft::overview {

std::optional<std::vector<SheetHit>> sheetsAt(const std::filesystem::path& sheetOutlines,
                                              SurveyPoint point)
{
    std::vector<SheetHit> hits;
    const bool opened = formats::forEachLine(
        sheetOutlines,
        [&](std::string& line) {
            formats::SheetOutline sheet = formats::parseSheetOutline(std::move(line));
            // As the drawing does: a record cut short (a crash, a full disk)
            // reads as drawing 0 and belongs to no registered drawing.
            if (sheet.fileNo < 1)
                return;
            if (sheet.xmin <= point.x && point.x <= sheet.xmax && sheet.ymin <= point.y &&
                point.y <= sheet.ymax)
                hits.push_back({std::move(sheet.name), sheet.fileNo});
        },
        formats::RecordLineReader::Ending::AtEndOfFile);
    if (!opened)
        return std::nullopt;
    return hits;
}

std::vector<SheetRequestRecord> sheetRequestRecords(const std::vector<SheetHit>& hits)
{
    std::vector<SheetRequestRecord> records;
    // No drawing before the first hit: whatever number it carries (even a
    // negative one) is asked for.
    std::optional<int> previousFileNo;
    std::string previousName;
    for (const SheetHit& hit : hits) {
        if (hit.fileNo != previousFileNo)
            records.push_back({SheetRequestRecord::Kind::Drawing, hit.fileNo, {}});
        if (hit.name != previousName)
            records.push_back({SheetRequestRecord::Kind::SheetName, 0, hit.name});
        previousFileNo = hit.fileNo;
        previousName = hit.name;
    }
    return records;
}

bool requestSheetsAt(workspace::Workspace& workspace, const OverviewView& view, int x, int y)
{
    const SurveyPoint point = surveyPointAt(view, x, y);
    std::optional<std::vector<SheetHit>> hits = sheetsAt(
        workspace.workingFile(workspace::WorkingFileKind::SheetOutlines, workspace.currentDatum()),
        point);
    if (!hits)
        return false;
    // A sheet of a set still registering (or of one that never did) is not
    // a drawing yet: the viewer could not be told its path.
    const std::set<int> registered = registeredDrawings(workspace.currentCatalogue());
    std::erase_if(*hits, [&](const SheetHit& hit) { return !registered.contains(hit.fileNo); });

    formats::RequestWriter request(workspace.settingsFolder());
    for (const SheetRequestRecord& record : sheetRequestRecords(*hits)) {
        if (record.kind == SheetRequestRecord::Kind::Drawing)
            search::writeDrawing(request, workspace.currentCatalogue(), record.fileNo);
        else
            request.writeSheetName(record.sheetName);
    }
    request.finish();
    return !hits->empty();
}

} // namespace ft::overview
